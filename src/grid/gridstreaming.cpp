#include "grid/gridstreaming.h"

#include <functional>
#include <utility>

TGridPropIO::TGridPropIO(TComponent* AOwner)
    : TComponent(AOwner), FColWidths(std::make_unique<TIntList>(0, 0)),
      FRowHeights(std::make_unique<TIntList>(0, 0)) {}

TGridCellPropIO::TGridCellPropIO(TComponent* AOwner)
    : TComponent(AOwner), FCellProperties(std::make_unique<TCellProperties>(nullptr, 0, 0)) {}

std::unique_ptr<TComponent> CreateGridStreamComponent(const std::string& ClassName) {
    using TFactory = std::unique_ptr<TComponent> (*)();
    static const std::pair<const char*, TFactory> classes[] = {
        {"TGridPropIO",
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridPropIO>(nullptr)); }},
        {"TGridCellIO",
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridCellIO>(nullptr)); }},
        {"TGridCellPropIO",
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridCellPropIO>(nullptr)); }},
        {SGridGraphicIO,
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridGraphicIO>(nullptr)); }},
        {SGridBMPIO,
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridBMPIO>(nullptr)); }},
        {SGridIconIO,
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridIconIO>(nullptr)); }},
        {SGridPicIO,
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridPicIO>(nullptr)); }},
        {SGridFilePicIO,
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridFilePicIO>(nullptr)); }},
        {SGridSLIO,
         [] { return std::unique_ptr<TComponent>(std::make_unique<TGridSLIO>(nullptr)); }},
    };
    for (const auto& [name, make] : classes)
        if (ClassName == name) return make();
    return nullptr;
}
