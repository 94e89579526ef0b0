#pragma once
// The main window in a folder of its own: the documents folder (and so the data
// root), the working folder, the settings file and the configuration folder all
// lie in a temporary folder, and the dialogs are scripted.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/mainform.h"
#include "platform/rtl/dialogs.h"
#include "vz_test_support.h"
#include "widgettest.h"

class MainFormTest : public WidgetTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window as the program does (FormCreate runs).
    TMainForm& Create();
    // Destroys it (FormDestroy runs).
    void Destroy();
    // Writes Text as the settings file.
    void WriteSettingsFile(const std::string& Text) const;
    // Saves the club group into Folder under Name and answers its path.
    std::string SaveClubFile(const std::string& Folder, const std::string& Name,
                             bool DubbelRondig = false) const;
    // Selects Name in the file list of Folder and opens it.
    void Open(const std::string& Folder, const std::string& Name);
    // How many questions or messages held Text.
    int CountAsked(const std::string& Text) const;

    TTestFolder Temp{"vz_mainform"};
    std::string Docs, Root, Work, IniFile;
    TScriptedDialogs* Dialogs = nullptr;
    std::unique_ptr<TMainForm> F;

private:
    std::unique_ptr<TScriptedDialogsScope> FDialogs;
    std::string FOldCwd, FOldDataMap;
    TRatingType FOldRating = rtKNSB;
    std::string FOldDocs, FOldIni, FOldConfig;
    bool FHadDocs = false, FHadIni = false, FHadConfig = false;
};
