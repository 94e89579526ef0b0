#include "dktestenv.h"

#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/vcl/forms.h"

bool PumpUntil(const std::function<bool()>& Done, int Ms) {
    const auto Start = TClock::now();
    while (!Done()) {
        if (MsSince(Start) > Ms) return Done();
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

TTempFolder::TTempFolder() {
    std::string Template = (std::filesystem::temp_directory_path() / "vzdk-XXXXXX").string();
    if (!mkdtemp(Template.data())) throw std::runtime_error("no temporary folder");
    FPath = Template;
}

TTempFolder::~TTempFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}
