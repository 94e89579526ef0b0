#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/dkfileassoc.h"
#include "dktestenv.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/registry.h"

namespace fs = std::filesystem;

namespace {

class FileAssociation : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("HOME", (Dir / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (Dir / "home/.config").c_str(), 1);
        setenv("XDG_DATA_HOME", (Dir / "home/.local/share").c_str(), 1);
        WriteBytes(Dir / "home/.config/mimeapps.list",
                   "[Default Applications]\ntext/plain=editor.desktop\n\n[Added Associations]\n"
                   "image/png=viewer.desktop;\n");
    }
    TTempFolder Dir;
};

} // namespace

TEST_F(FileAssociation, RegisteredAndReadBack) {
    {
        TdkFileAssociation A(nullptr);
        A.SetExtension("vzt");
        EXPECT_EQ(A.Extension(), ".vzt");
        A.SetReadOnly(false);
        A.SetExtDescription("Vivazozodi.Toernooi");
        A.SetFileDescription("Toernooigroep");
        A.SetOpenCommand("/usr/bin/vivazozodi \"%1\"");
        A.Set(TdkFileAssociation::afOpenCommandDescription, "&Openen");
        A.SetPrintCommand("/usr/bin/vivazozodi --print %1");
        A.SetIconFile(Dir / "icons/vz.png");
        A.SetIconIndex(2);
        ASSERT_TRUE(A.Apply());
    }
    // The class keys, as code reading them expects.
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(Reg.OpenKeyReadOnly("\\.vzt"));
    EXPECT_EQ(Reg.ReadString(""), "Vivazozodi.Toernooi");
    ASSERT_TRUE(Reg.OpenKeyReadOnly("\\Vivazozodi.Toernooi\\shell\\open\\command"));
    EXPECT_EQ(Reg.ReadString(""), "/usr/bin/vivazozodi \"%1\"");
    ASSERT_TRUE(Reg.OpenKeyReadOnly("\\Vivazozodi.Toernooi\\DefaultIcon"));
    EXPECT_EQ(Reg.ReadString(""), Dir / "icons/vz.png,2");
    EXPECT_FALSE(Reg.KeyExists("\\Vivazozodi.Toernooi\\shell\\edit"));

    // Read back by a new component.
    TdkFileAssociation B(nullptr);
    B.SetExtension(".vzt");
    EXPECT_EQ(B.ExtDescription(), "Vivazozodi.Toernooi");
    EXPECT_EQ(B.FileDescription(), "Toernooigroep");
    EXPECT_EQ(B.OpenCommand(), "/usr/bin/vivazozodi \"%1\"");
    EXPECT_EQ(B.Get(TdkFileAssociation::afOpenCommandDescription), "&Openen");
    EXPECT_EQ(B.PrintCommand(), "/usr/bin/vivazozodi --print %1");
    EXPECT_EQ(B.IconFile(), Dir / "icons/vz.png");
    EXPECT_EQ(B.IconIndex(), 2);
    EXPECT_EQ(B.EditCommand(), "");

    // The desktop's side: type, application and default.
    EXPECT_EQ(B.MimeType(), "application/x-vivazozodi.toernooi");
    const std::string Package = ReadBytes(B.MimePackageFile());
    EXPECT_NE(Package.find("<mime-type type=\"application/x-vivazozodi.toernooi\">"),
              std::string::npos);
    EXPECT_NE(Package.find("<glob pattern=\"*.vzt\"/>"), std::string::npos);
    const std::string Entry = ReadBytes(B.DesktopEntryFile());
    EXPECT_NE(Entry.find("\nExec=/usr/bin/vivazozodi %f\n"), std::string::npos);
    EXPECT_NE(Entry.find("\nMimeType=application/x-vivazozodi.toernooi;\n"), std::string::npos);
    EXPECT_NE(Entry.find("[Desktop Action print]\nName=print\nExec=/usr/bin/vivazozodi --print %f"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(Dir / "home/.config/mimeapps.list"),
              "[Default Applications]\ntext/plain=editor.desktop\n\n"
              "application/x-vivazozodi.toernooi=vivazozodi-vzt.desktop\n"
              "[Added Associations]\nimage/png=viewer.desktop;\n");
    if (FileExists("/usr/bin/update-mime-database")) {
        // The shared-mime-info cache was refreshed and knows the glob.
        const std::string Globs = ReadBytes(Dir / "home/.local/share/mime/globs2");
        EXPECT_NE(Globs.find("application/x-vivazozodi.toernooi:*.vzt"), std::string::npos);
    }

    // And removed.
    EXPECT_TRUE(B.Remove());
    EXPECT_EQ(B.ExtDescription(), "");
    EXPECT_FALSE(Reg.KeyExists("\\.vzt"));
    EXPECT_FALSE(fs::exists(B.DesktopEntryFile()));
    EXPECT_FALSE(fs::exists(B.MimePackageFile()));
    EXPECT_EQ(ReadBytes(Dir / "home/.config/mimeapps.list"),
              "[Default Applications]\ntext/plain=editor.desktop\n\n"
              "[Added Associations]\nimage/png=viewer.desktop;\n");
    EXPECT_TRUE(B.Remove()); // nothing left: still true
}

// The default joins a default section that ends the list; a command without a
// file gets the file at its end.
TEST_F(FileAssociation, DefaultJoinsTheLastSectionAndEveryCommandTakesTheFile) {
    WriteBytes(Dir / "home/.config/mimeapps.list",
               "[Default Applications]\ntext/plain=editor.desktop\n");
    TdkFileAssociation A(nullptr);
    A.SetExtension("vzl");
    A.SetReadOnly(false);
    A.SetOpenCommand("/usr/bin/vivazozodi");
    ASSERT_TRUE(A.Apply());
    EXPECT_EQ(ReadBytes(Dir / "home/.config/mimeapps.list"),
              "[Default Applications]\ntext/plain=editor.desktop\n" + A.MimeType() +
                  "=vivazozodi-vzl.desktop\n");
    EXPECT_NE(ReadBytes(A.DesktopEntryFile()).find("\nExec=/usr/bin/vivazozodi %f\n"),
              std::string::npos);
}

TEST_F(FileAssociation, AnEmptyTypeNameComesFromTheExtension) {
    TdkFileAssociation A(nullptr);
    A.SetExtension("abc");
    A.SetReadOnly(false);
    A.SetFileDescription("ABC data");
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(Reg.OpenKeyReadOnly("\\.abc"));
    EXPECT_EQ(Reg.ReadString(""), "abcfile");
    ASSERT_TRUE(Reg.OpenKeyReadOnly("\\abcfile"));
    EXPECT_EQ(Reg.ReadString(""), "ABC data");
    EXPECT_FALSE(fs::exists(A.DesktopEntryFile())); // no open command, no application
}

TEST_F(FileAssociation, ReadOnlyWritesNothing) {
    TScriptedDialogsScope Asked;
    TdkFileAssociation A(nullptr);
    A.SetExtension(".ro");
    EXPECT_TRUE(A.ReadOnly());
    A.SetFileDescription("kept only in the component");
    EXPECT_EQ(A.FileDescription(), "kept only in the component");
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(Reg.KeyExists("\\.ro"));
    EXPECT_TRUE(Asked->Asked().empty());
    A.SetDesigning(true);
    A.SetOpenCommand("x");
    ASSERT_EQ(Asked->Asked().size(), 1u);
    EXPECT_EQ(Asked->Asked()[0].Text, "Cannot change the property in Read-Only mode.");
    EXPECT_EQ(A.OpenCommand(), "");
}

TEST_F(FileAssociation, EveryVerbWithItsDescriptionIsWrittenAndReadBack) {
    {
        TdkFileAssociation A(nullptr);
        A.SetExtension("vzv");
        A.SetReadOnly(false);
        A.SetOpenCommand("/usr/bin/vz %1");
        A.SetOpenCommandDescription("Openen");
        A.SetOpenNewCommand("/usr/bin/vz --new %1");
        A.SetOpenNewCommandDescription("Nieuw venster");
        A.SetEditCommand("/usr/bin/vz --edit %1");
        A.SetEditCommandDescription("Bewerken");
        A.SetPrintCommand("/usr/bin/vz --print %1");
        A.SetPrintCommandDescription("Afdrukken");
        A.SetPrintToCommand("/usr/bin/vz --printto %1 %2");
        A.SetPrintToCommandDescription("Afdrukken naar");
    }
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CLASSES_ROOT);
    for (const char* Verb : {"open", "opennew", "edit", "print", "printto"}) {
        SCOPED_TRACE(Verb);
        EXPECT_TRUE(Reg.OpenKeyReadOnly(std::string("\\vzvfile\\shell\\") + Verb + "\\command"));
    }
    TdkFileAssociation B(nullptr);
    B.SetExtension(".vzv");
    EXPECT_EQ(B.OpenCommandDescription(), "Openen");
    EXPECT_EQ(B.OpenNewCommand(), "/usr/bin/vz --new %1");
    EXPECT_EQ(B.OpenNewCommandDescription(), "Nieuw venster");
    EXPECT_EQ(B.EditCommand(), "/usr/bin/vz --edit %1");
    EXPECT_EQ(B.EditCommandDescription(), "Bewerken");
    EXPECT_EQ(B.PrintCommandDescription(), "Afdrukken");
    EXPECT_EQ(B.PrintToCommand(), "/usr/bin/vz --printto %1 %2");
    EXPECT_EQ(B.PrintToCommandDescription(), "Afdrukken naar");
    const std::string Entry = ReadBytes(B.DesktopEntryFile());
    EXPECT_NE(Entry.find("\nActions=opennew;edit;print;printto;\n"), std::string::npos);
    EXPECT_NE(Entry.find("[Desktop Action edit]\nName=Bewerken\n"), std::string::npos);
}

TEST_F(FileAssociation, AFailedWriteWhileDesigningIsShown) {
    TScriptedDialogsScope Asked;
    // The desktop's data folder is a file: nothing can be written under it.
    WriteBytes(Dir / "blocked", "");
    setenv("XDG_DATA_HOME", (Dir / "blocked").c_str(), 1);
    TdkFileAssociation A(nullptr);
    A.SetExtension("vzf");
    A.SetReadOnly(false);
    A.SetOpenCommand("/usr/bin/vz %1");
    EXPECT_TRUE(Asked->Asked().empty()); // at run time only the result tells
    EXPECT_FALSE(A.Apply());
    A.SetDesigning(true);
    A.SetEditCommand("/usr/bin/vz --edit %1");
    ASSERT_EQ(Asked->Asked().size(), 1u);
    EXPECT_EQ(Asked->Asked()[0].Text, "Cannot write to registry.");
}
