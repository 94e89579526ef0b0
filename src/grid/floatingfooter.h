#pragma once
// The strip below a grid's cells that stays in place while the rows scroll:
// the grid's last row drawn as a fixed row, one column of the current row, or
// a tagged template filled from the current row.

#include <functional>
#include <string>

#include "platform/vcl/controls.h"

class TExtStringGrid;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

// "<#n>" stands for ColumnText(n); a tag whose n is no number is dropped.
std::string ExpandFooterTemplate(const std::string& Template,
                                 const std::function<std::string(int Col)>& ColumnText);

// The strip itself, a child of its grid along the grid's bottom edge.
class TFooterPanel : public TCustomControl {
public:
    explicit TFooterPanel(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TFooterPanel"; }

protected:
    void Paint() override;

private:
    void PaintLastRow(TCanvas& Canvas, int Width);
    void PaintPreview(TCanvas& Canvas, int Width);
    TExtStringGrid* FGrid; // the owner
};

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TFloatingFooter"; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    const std::string& CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const std::string& Value);
    // The grid's default row height.
    int FooterHeight() const;
    // Made with the first showing; owned by the grid as its component.
    TFooterPanel* Panel() const { return FPanel; }
    // The panel along the grid's bottom edge at the footer's height.
    void PlacePanel();

private:
    void UpdateFlags();
    TExtStringGrid* FGrid;
    TFooterPanel* FPanel = nullptr;
    bool FVisible = false;
    TColor FColor = clBtnFace;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    std::string FCustomTemplate;
};
