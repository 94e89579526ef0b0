#pragma once
// The images of the crosstable grids: the grid fill marks a player's own cells
// with image 2, a cross as on a paper crosstable.

class TComponent;
class TImageList;

// A new image list owned by Owner: images 0 and 1 empty, 2 the cross.
TImageList* MakeKruisImages(TComponent* Owner);
