#include <gtest/gtest.h>

#include "config_folder.h"
#include "platform/rtl/files.h"
#include "platform/rtl/registry.h"

namespace {
using Registry = ConfigFolderTest;

std::string ErrorOf(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "no error";
}
} // namespace

TEST_F(Registry, ValuesRoundTripThroughTheStore) {
    {
        TRegistry reg;
        EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey("Software\\Vivazozodi\\Grid", true));
        reg.WriteString("Naam", "Groep \xbd");
        reg.WriteExpandString("Pad", "%HOME%/data");
        reg.WriteInteger("Col0", -64);
        reg.WriteBool("Aan", true);
        reg.WriteString("", "standaard");
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("/Software/Vivazozodi/Grid", false));
    EXPECT_EQ(reg.ReadString("Naam"), "Groep \xbd");
    EXPECT_EQ(reg.ReadString("Pad"), "%HOME%/data");
    EXPECT_EQ(reg.ReadInteger("Col0"), -64);
    EXPECT_TRUE(reg.ReadBool("Aan"));
    EXPECT_EQ(reg.ReadString(""), "standaard");
    EXPECT_EQ(reg.GetDataType("Naam"), rdString);
    EXPECT_EQ(reg.GetDataType("Pad"), rdExpandString);
    EXPECT_EQ(reg.GetDataType("Col0"), rdInteger);
    EXPECT_EQ(reg.GetDataType("Aan"), rdInteger);
    EXPECT_EQ(reg.GetDataType("Weg"), rdUnknown);
    EXPECT_EQ(reg.ReadString("Weg"), ""); // a missing string reads empty
    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"Naam", "Pad", "Col0", "Aan", ""}));
    // Overwriting keeps one value and may change its kind.
    reg.WriteString("Col0", "breed");
    EXPECT_EQ(reg.GetDataType("Col0"), rdString);
    reg.GetValueNames(&names);
    EXPECT_EQ(names.Count(), 5);
}

TEST_F(Registry, StoreIsOneCrLfFilePerRoot) {
    TRegistry reg;
    EXPECT_EQ(reg.KeyFileName(), Root + "/vivazozodi/registry/HKEY_CURRENT_USER.reg");
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_EQ(reg.KeyFileName(), Root + "/vivazozodi/registry/HKEY_CLASSES_ROOT.reg");
    ASSERT_TRUE(reg.OpenKey(".vzg", true));
    reg.WriteString("", "vzgfile");
    const std::string text = ReadFileBytes(reg.KeyFileName());
    EXPECT_EQ(text, "[]\r\n[.vzg]\r\n=sz:vzgfile\r\n");
    reg.SetRootKey(HKEY_CURRENT_USER); // other roots are other stores
    EXPECT_FALSE(reg.KeyExists(".vzg"));
    EXPECT_FALSE(FileExists(reg.KeyFileName()));
    EXPECT_THROW(reg.SetRootKey(0x12345678u), ERegistryException);
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
}

TEST_F(Registry, AnyTextSurvivesTheStoreLayout) {
    const std::string name = " [a=b]; 100% ";
    const std::string data = "regel 1\r\nregel 2 = \xbd ; [x]%41 \t";
    const std::string key = " sleutel=[1] ";
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(key, true));
        reg.WriteString(name, data);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key, false));
    EXPECT_EQ(reg.CurrentPath(), key);
    EXPECT_EQ(reg.ReadString(name), data);
    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(Lines(names), std::vector<std::string>{name});
    // Nothing in the values breaks the file into lines of its own.
    const std::string text = ReadFileBytes(reg.KeyFileName());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
}

TEST_F(Registry, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Vivazozodi", true));
    reg.WriteInteger("Col1", 10);
    reg.WriteInteger("COL1", 20);
    reg.WriteString("Caf\xe9", "x");
    EXPECT_EQ(reg.ReadString("CAF\xc9"), "x");
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE/vivazozodi", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vivazozodi");
    EXPECT_EQ(reg.ReadInteger("col1"), 20);
    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"Col1", "Caf\xe9"}));
    EXPECT_TRUE(reg.ValueExists("CoL1"));
    EXPECT_TRUE(reg.DeleteValue("COL1"));
    EXPECT_FALSE(reg.ValueExists("Col1"));
    EXPECT_FALSE(reg.DeleteValue("Col1"));
}

TEST_F(Registry, KeyTree) {
    TRegistry reg;
    EXPECT_TRUE(reg.CreateKey("Software\\B\\Diep\\Dieper"));
    EXPECT_TRUE(reg.CreateKey("/Software/a"));
    EXPECT_TRUE(reg.KeyExists("software\\b\\diep"));
    EXPECT_FALSE(reg.KeyExists("Software\\C"));
    ASSERT_TRUE(reg.OpenKey("Software", false));
    EXPECT_TRUE(reg.HasSubKeys());
    TStringList names;
    reg.GetKeyNames(&names);
    EXPECT_EQ(Lines(names), (std::vector<std::string>{"a", "B"})); // sorted, any case
    // Relative to the open key; a leading separator goes back to the root.
    ASSERT_TRUE(reg.OpenKey("B", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\B");
    EXPECT_TRUE(reg.KeyExists("Diep\\Dieper"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\a"));
    EXPECT_FALSE(reg.OpenKey("Nieuw", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\B"); // a failed open changes nothing
    reg.WriteInteger("Waarde", 1);

    reg.CloseKey();
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.DeleteKey("software\\b")); // with everything below it
    EXPECT_FALSE(reg.KeyExists("Software\\B\\Diep"));
    EXPECT_FALSE(reg.KeyExists("Software\\B"));
    EXPECT_TRUE(reg.KeyExists("Software\\a"));
    EXPECT_FALSE(reg.DeleteKey("Software\\B"));
    EXPECT_FALSE(reg.DeleteKey("\\")); // the root stays
    ASSERT_TRUE(reg.OpenKey("Software\\a", false));
    EXPECT_FALSE(reg.HasSubKeys());
    reg.GetKeyNames(&names);
    EXPECT_EQ(names.Count(), 0);
}

TEST_F(Registry, ErrorsNameTheValue) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Fout", true));
    reg.WriteString("Tekst", "abc");
    reg.WriteInteger("Getal", 5);
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Weg"); }), "Failed to get data for 'Weg'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Tekst"); }), "Invalid data type for 'Tekst'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadBool("Tekst"); }), "Invalid data type for 'Tekst'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("Getal"); }), "Invalid data type for 'Getal'");

    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Fout"));
    EXPECT_EQ(reg.ReadInteger("Getal"), 5);
    EXPECT_EQ(ErrorOf([&] { reg.WriteInteger("Getal", 6); }), "Failed to set data for 'Getal'");
    EXPECT_FALSE(reg.DeleteValue("Getal"));
    EXPECT_FALSE(reg.CreateKey("Sub"));
    EXPECT_FALSE(reg.OpenKeyReadOnly("\\Software\\Nergens"));
    ASSERT_TRUE(reg.OpenKey("\\Software\\Fout", false)); // writable again
    reg.WriteInteger("Getal", 6);

    // A key deleted by someone else is not silently made again by a write.
    TRegistry other;
    ASSERT_TRUE(other.DeleteKey("Software\\Fout"));
    EXPECT_EQ(ErrorOf([&] { reg.WriteString("Tekst", "x"); }), "Failed to set data for 'Tekst'");
    EXPECT_FALSE(other.KeyExists("Software\\Fout"));
}

TEST_F(Registry, TwoProcessesWritingOneKeyKeepBothValues) {
    TRegistry().CreateKey("Software\\Samen");
    constexpr int kEach = 40;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            TRegistry reg;
            if (!reg.OpenKey("Software\\Samen", false)) _exit(2);
            for (int i = 0; i < kEach; ++i)
                reg.WriteInteger((c ? "B" : "A") + IntToStr(i), i);
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Samen", false));
    TStringList names;
    reg.GetValueNames(&names);
    EXPECT_EQ(names.Count(), 2 * kEach);
    for (int i = 0; i < kEach; ++i) {
        EXPECT_EQ(reg.ReadInteger("A" + IntToStr(i)), i);
        EXPECT_EQ(reg.ReadInteger("B" + IntToStr(i)), i);
    }
}

TEST_F(Registry, KilledWriterLeavesTheOldOrTheNewStore) {
    const std::string bigA(128 << 10, 'a'), bigB(128 << 10, 'b');
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Groot", true));
    reg.WriteString("Big", bigA);
    const std::string textA = ReadFileBytes(reg.KeyFileName());
    reg.WriteString("Big", bigB);
    const std::string textB = ReadFileBytes(reg.KeyFileName());
    const int caught = KillWriterRepeatedly(
        [&] {
            reg.WriteString("Big", bigA);
            reg.WriteString("Big", bigB);
        },
        ExtractFileDir(reg.KeyFileName()), "HKEY_CURRENT_USER.reg.*",
        [&](int round) {
            const std::string text = ReadFileBytes(reg.KeyFileName());
            EXPECT_TRUE(text == textA || text == textB)
                << "round " << round << ", size " << text.size();
        });
    EXPECT_GT(caught, 0) << "the writer was never killed in the middle of a write";
}
