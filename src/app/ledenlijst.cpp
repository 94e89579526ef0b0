// The federation lists on screen: loading member lists through the grid, the
// list trees, the member grid and the search in it.

#include "app/ledenlijst.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/gridstyle.h"
#include "grid/columngrid.h"
#include "model/fileutils.h"
#include "model/objects.h"
#include "model/player.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/forms.h"

namespace {

// The file objects of a list tree's nodes: the tree owns this holder, so the
// objects live as long as the nodes that point at them.
class TFileTreeData : public TComponent {
public:
    explicit TFileTreeData(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TFileTreeData"; }
    std::vector<std::unique_ptr<TFileTreeView>> Files;
};

TFileTreeData& FileTreeDataOf(TTreeView& Tree) {
    for (int i = 0; i < Tree.ComponentCount(); ++i)
        if (auto* d = dynamic_cast<TFileTreeData*>(Tree.Components(i))) return *d;
    return *new TFileTreeData(&Tree); // owned by the tree
}

void AddFileNodes(TTreeView& Tree, TFileTreeData& Data, TTreeNode* Parent,
                  const std::string& Folder, const TStrings& Files) {
    for (int i = 0; i < Files.Count(); ++i) {
        const std::string name = Files.Get(i);
        Data.Files.push_back(std::make_unique<TFileTreeView>(Folder + "/" + name));
        Tree.Items()->AddChildObject(Parent, name, static_cast<TObject*>(Data.Files.back().get()));
    }
}

// A member list has some twenty short fields a line; a file with far longer
// lines is no member list, and split into cells it would leave a grid of
// thousands of columns behind that slows every later load.
constexpr size_t MaxLedenRegelLengte = 4096;
constexpr size_t MaxLedenVelden = 256;

// Loads a ';'-separated member list into the grid as the only content.
bool LoadLedenGrid(TExtStringGrid& Grid, const std::string& FileName) {
    Grid.ClearGrid();
    if (!LedenFileFout(FileName).empty()) return false;
    const char delimiter = Grid.Delimiter;
    Grid.Delimiter = ';';
    try {
        Grid.LoadFromCSV(FileName);
    } catch (const Exception&) {
        Grid.Delimiter = delimiter;
        return false;
    }
    Grid.Delimiter = delimiter;
    return true;
}

TLedenCell GridCells(const TExtStringGrid& Grid) {
    return [&Grid](int Col, int Row) {
        return Col < Grid.ColCount() && Row < Grid.RowCount() ? Grid.Cells(Col, Row)
                                                              : std::string();
    };
}

} // namespace

std::string LedenFileFout(const std::string& FileName) {
    TRegelMaten maten;
    try {
        maten = MeetRegels(ReadFileBytes(FileName), ';');
    } catch (const Exception&) {
        return ExtractFileName(FileName) + " kan niet worden gelezen.";
    }
    return RegelMatenFout(maten, {MaxLedenRegelLengte, MaxLedenVelden}, ExtractFileName(FileName),
                          "een ledenlijst");
}

bool ReadNJRLedenList(TExtStringGrid& Grid, const std::string& FileName, TSpList& LedenList) {
    if (!LoadLedenGrid(Grid, FileName)) return false;
    ReadNJRLedenRows(Grid.RowCount(), GridCells(Grid), LedenList);
    return true;
}

bool ReadKnsbLedenList(TExtStringGrid& Grid, const std::string& FileName, TSpList& LedenList,
                       const TLedenProgress& Progress) {
    if (!LoadLedenGrid(Grid, FileName)) return false;
    ReadKnsbLedenRows(Grid.RowCount(), GridCells(Grid), LedenList, Progress);
    // A list long enough to be shown replaces the loaded cells at once, so
    // measuring every one of its cells would be work thrown away.
    if (LedenList.Count() <= MinLedenVoorZoeken) Grid.AutoSizeColumns(false, 4);
    return true;
}

void FillListTree(TTreeView& Tree, const std::string& Mask, const std::string& ChosenFile) {
    TFileTreeData& data = FileTreeDataOf(Tree);
    Tree.Items()->Clear();
    data.Files.clear();

    std::string root = GetDataRoot();
    if (!DirectoryExists(root) && Application) root = ExtractFilePath(Application->ExeName());
    root = ExcludeTrailingPathDelimiter(root);
    TTreeNode* rootNode = Tree.Items()->Add(nullptr, root.substr(root.rfind('/') + 1));

    TStringList files;
    FillFileList(root, Mask, files);
    AddFileNodes(Tree, data, rootNode, root, files);

    TStringList folders;
    FillDirList(root, folders);
    for (int i = 0; i < folders.Count(); ++i) {
        // Hidden folders (".cache", ".config") stay out, as in the folder
        // list and the desktop's own file dialogs.
        if (folders.Get(i).empty() || folders.Get(i).front() == '.') continue;
        const std::string folder = root + "/" + folders.Get(i);
        files.Clear();
        FillFileList(folder, Mask, files);
        if (files.Count() == 0) continue;
        TTreeNode* folderNode = Tree.Items()->AddChild(rootNode, folders.Get(i));
        AddFileNodes(Tree, data, folderNode, folder, files);
    }

    Tree.FullExpand();
    const std::string chosen = AnsiUpperCase(ChosenFile);
    for (int i = 0; i < Tree.Items()->Count(); ++i) {
        TTreeNode* node = Tree.Items()->Item(i);
        const std::string file = ListTreeFileName(node);
        if (!file.empty() && AnsiUpperCase(file) == chosen) Tree.SetSelected(node);
    }
}

std::string ListTreeFileName(const TTreeNode* Node) {
    if (!Node || !Node->Data) return {};
    const auto* file = dynamic_cast<const TFileTreeView*>(static_cast<const TObject*>(Node->Data));
    return file ? file->FileName : std::string();
}

void ShowLedenlijst(TExtColumnGrid& Grid, const TSpList& LedenList, bool KnsbLeden,
                    const std::string& RatingKop, const TLedenProgress& Progress) {
    Grid.ClearGrid();
    const int n = LedenList.Count();
    Grid.SetRowCount(n + 2);
    Grid.SetColCount(KnsbLeden ? 7 : 5);
    SetGridStyle(&Grid, 10);
    Grid.SetCells(1, 0, "Naam");
    Grid.SetCells(2, 0, "Relnr.");
    if (KnsbLeden) {
        Grid.SetCells(3, 0, "KNSB");
        Grid.SetCells(4, 0, "FIDE");
        Grid.SetCells(5, 0, "Jeugd");
    } else
        Grid.SetCells(3, 0, RatingKop);
    Grid.BeginGridUpdate();
    for (int i = 1; i <= n; ++i) {
        TSp* sp = LedenList.Sp(i - 1);
        Grid.SetObjects(0, i, sp);
        Grid.SetCells(0, i, IntToStr(i));
        Grid.SetCells(1, i, sp->GetNaam());
        Grid.SetCells(2, i, IntToStr(sp->Rec.Relnr));
        if (KnsbLeden) {
            Grid.SetCells(3, i, RatingToStr(sp->Rec.Ratings[rtKNSB]));
            Grid.SetCells(4, i, RatingToStr(sp->Rec.Ratings[rtFIDE]));
            Grid.SetCells(5, i, RatingToStr(sp->Rec.Ratings[rtJeugd]));
        } else
            Grid.SetCells(3, i, RatingToStr(sp->GetRating()));
        if (Progress && i % ToonVoortgangStap == 0) Progress(i);
    }
    Grid.EndGridUpdate();
    if (Grid.RowCount() > 2) Grid.SetRowCount(Grid.RowCount() - 1);
    Grid.AutoSizeColumns(false, 4);
}

std::string LedenStatusText(const TSpList& LedenList, const std::string& FileName) {
    return IntToStr(LedenList.Count()) + " namen in " + ExtractFileName(FileName);
}

bool ZoekLid(TExtStringGrid& Grid, const std::string& Text) {
    const TPoint hit = Grid.FindCell(TPoint{Grid.Col(), Grid.Row()}, Text + "*",
                                     TGridFindFlags{gfCondition, gfGotoCell}, false, u"");
    if (hit.X < 0) return false;
    // Three rows down and back, so that the rows below the hit come into view.
    if (Grid.Row() + 3 <= Grid.RowCount() - 1) {
        Grid.SetRow(Grid.Row() + 3);
        Grid.SetRow(Grid.Row() - 3);
    }
    return true;
}
