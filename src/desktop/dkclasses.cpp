#include "dkclasses.h"

#include <map>
#include <mutex>

#include "desktop/dkgraphics.h"

TdkComponent::TdkComponent(TComponent* AOwner) : TComponent(AOwner) {
    dkRegisterColorNames();
}

void TdkComponent::SetDesigning(bool Value) {
    if (Value)
        Include(csDesigning);
    else
        Exclude(csDesigning);
}

namespace {

struct TClassTable {
    std::mutex Lock;
    std::map<std::string, TdkComponentFactory> Classes;
};

TClassTable& Classes() {
    static TClassTable Table;
    return Table;
}

} // namespace

bool dkRegisterClass(const std::string& Name, TdkComponentFactory Create) {
    std::lock_guard<std::mutex> Guard(Classes().Lock);
    return Classes().Classes.emplace(Name, std::move(Create)).second;
}

void dkRegisterClasses(const std::vector<TdkClassEntry>& Entries) {
    for (const auto& E : Entries)
        dkRegisterClass(E.Name, E.Create);
}

TdkComponentFactory dkFindClass(const std::string& Name) {
    std::lock_guard<std::mutex> Guard(Classes().Lock);
    const auto It = Classes().Classes.find(Name);
    return It == Classes().Classes.end() ? TdkComponentFactory{} : It->second;
}
