#pragma once
// The base of every desktop component, and the registry of component classes
// by name.

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"

class TdkComponent : public TComponent {
public:
    explicit TdkComponent(TComponent* AOwner);
    std::string ClassName() const override { return "TdkComponent"; }
    // Shown by a designer; never stored.
    std::string About() const { return "Desktop components"; }
    void SetAbout(const std::string&) {}
    bool Designing() const { return HasState(csDesigning); }
    bool Loading() const { return HasState(csLoading); }
    // Marks the component as being designed: values are only stored (designer
    // and tests).
    void SetDesigning(bool Value);
};

using TdkComponentFactory = std::function<TComponent*(TComponent* AOwner)>;
struct TdkClassEntry {
    std::string Name;
    TdkComponentFactory Create;
};
// Registers the class unless one of that name is registered; true when added.
bool dkRegisterClass(const std::string& Name, TdkComponentFactory Create);
void dkRegisterClasses(const std::vector<TdkClassEntry>& Classes);
// The factory of a registered class, or an empty one.
TdkComponentFactory dkFindClass(const std::string& Name);
