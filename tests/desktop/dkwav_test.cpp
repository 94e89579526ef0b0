#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/dkwav.h"
#include "dktestenv.h"
#include "platform/desktop/wavedata.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/streams.h"

namespace {

std::string Le(uint32_t V, int Bytes) {
    std::string S;
    for (int i = 0; i < Bytes; ++i)
        S += static_cast<char>((V >> (8 * i)) & 0xFF);
    return S;
}

std::string MakeWave(const std::string& Samples, unsigned Channels = 2, unsigned Rate = 8000,
                     unsigned Bits = 16) {
    // With a chunk the player must step over.
    std::string Image = MakeWaveImage(Samples, Channels, Rate, Bits);
    Image.insert(36, "LIST" + Le(3, 4) + "abc" + std::string(1, '\0'));
    const uint32_t Riff = static_cast<uint32_t>(Image.size() - 8);
    Image.replace(4, 4, Le(Riff, 4));
    return Image;
}

std::string Pattern(size_t Size) {
    std::string S(Size, '\0');
    for (size_t i = 0; i < Size; ++i)
        S[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return S;
}

// ALSA's default device, for this process, is a file that receives the PCM.
class WavPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        Out = Dir / "played.raw";
        WriteBytes(Dir / "asound.conf", "pcm.null { type null }\n"
                                        "pcm.!default { type file; slave.pcm \"null\"; file \"" +
                                            Out + "\"; format \"raw\" }\n");
        setenv("ALSA_CONFIG_PATH", (Dir / "asound.conf").c_str(), 1);
    }
    void TearDown() override { PlaySound(nullptr, nullptr, 0); }
    // What was played, with the silence the device pads its last period with cut off.
    static std::string WithoutPadding(std::string S) {
        while (!S.empty() && S.back() == '\0')
            S.pop_back();
        return S;
    }
    TTempFolder Dir;
    std::string Out;
};

} // namespace

TEST(DkWaveData, ParsesFormatAndSkipsOtherChunks) {
    const std::string Samples = Pattern(400);
    TWaveData W;
    std::string Error;
    ASSERT_TRUE(ParseWave(MakeWave(Samples, 1, 11025, 16), W, Error)) << Error;
    EXPECT_EQ(W.Channels, 1u);
    EXPECT_EQ(W.SampleRate, 11025u);
    EXPECT_EQ(W.BlockAlign, 2u);
    EXPECT_EQ(W.Samples, Samples);
    EXPECT_FALSE(ParseWave("RIFF....WAVE", W, Error));
    EXPECT_FALSE(ParseWave("not a wave at all", W, Error));
    // A data size that runs past the end is cut to whole frames of what is there.
    std::string Cut = MakeWave(Samples, 2, 8000, 16).substr(0, 12 + 24 + 12 + 8 + 101);
    ASSERT_TRUE(ParseWave(Cut, W, Error)) << Error;
    EXPECT_EQ(W.Samples, Samples.substr(0, 100));
    const std::string Image = MakeWave(Samples);
    EXPECT_EQ(RiffImageSize(Image.data()), Image.size());
}

TEST_F(WavPlayback, FileIsPlayedExactly) {
    const std::string Samples = Pattern(8000);
    WriteBytes(Dir / "tada.wav", MakeWave(Samples));
    TComponent Owner(nullptr);
    auto* W = new TdkWav(&Owner);
    W->SetFileName(Dir / "tada.wav");
    W->SetAsyncPlay(false);
    int Before = 0, After = 0;
    W->OnPlayBefore = [&](TObject*) {
        EXPECT_TRUE(W->Playing());
        ++Before;
    };
    W->OnPlayAfter = [&](TObject*) { ++After; };
    W->Play();
    EXPECT_FALSE(W->Playing());
    EXPECT_EQ(Before, 1);
    EXPECT_EQ(After, 1);
    const std::string Played = ReadBytes(Out);
    ASSERT_GE(Played.size(), Samples.size());
    EXPECT_EQ(Played.substr(0, Samples.size()), Samples);
    EXPECT_EQ(WithoutPadding(Played.substr(Samples.size())), "");
}

TEST_F(WavPlayback, LoopsUntilStopped) {
    const std::string Samples = Pattern(4000);
    WriteBytes(Dir / "loop.wav", MakeWave(Samples));
    TComponent Owner(nullptr);
    auto* W = new TdkWav(&Owner);
    W->SetFileName(Dir / "loop.wav");
    W->SetLooped(true);
    W->Play(); // in the background
    ASSERT_TRUE(PumpUntil(
        [&] { return std::filesystem::exists(Out) && std::filesystem::file_size(Out) > 12000; }));
    EXPECT_TRUE(SoundPlaying());
    W->Stop();
    EXPECT_FALSE(SoundPlaying());
    const std::string Played = ReadBytes(Out);
    const auto Size = Played.size();
    size_t At = 0;
    for (; At + Samples.size() <= Size; At += Samples.size())
        ASSERT_EQ(Played.compare(At, Samples.size(), Samples), 0) << "repeat at " << At;
    EXPECT_GE(At / Samples.size(), 3u);
    const std::string Tail = Played.substr(At);
    EXPECT_EQ(Tail.substr(0, std::min(Tail.size(), Samples.size())),
              Samples.substr(0, Tail.size()));
}

TEST_F(WavPlayback, FormDataAndResourcesPlay) {
    const std::string Samples = Pattern(2000);
    const std::string Image = MakeWave(Samples);
    TComponent Owner(nullptr);
    auto* W = new TdkWav(&Owner);
    W->SetAsyncPlay(false);

    // "FileData" as the form stream keeps it.
    TMemoryStream Form;
    const std::string Count = Le(Image.size(), 4);
    Form.WriteBuffer(Count.data(), 4);
    Form.WriteBuffer(Image.data(), Image.size());
    Form.SetPosition(0);
    W->SetPlayFrom(pfDFM);
    W->ReadData(Form);
    EXPECT_EQ(W->DataSize(), Image.size());
    W->Play();
    EXPECT_EQ(ReadBytes(Out).substr(0, Samples.size()), Samples);

    TMemoryStream Again;
    W->WriteData(Again);
    EXPECT_EQ(std::string(Again.Memory(), Again.Size()), Count + Image);

    // Away from form data, the data goes.
    W->SetPlayFrom(pfResource);
    EXPECT_EQ(W->DataSize(), 0u);
    const std::string Other = Pattern(3000).substr(1000);
    RegisterSoundResource(MainInstance(), "WAVE1", MakeWave(Other));
    std::filesystem::remove(Out);
    W->Play();
    EXPECT_EQ(ReadBytes(Out).substr(0, Other.size()), Other);
}

TEST_F(WavPlayback, MissingSoundIsSilentWithoutAnError) {
    TComponent Owner(nullptr);
    auto* W = new TdkWav(&Owner);
    W->SetFileName(Dir / "missing.wav");
    W->SetAsyncPlay(false);
    EXPECT_NO_THROW(W->Play());
    EXPECT_FALSE(std::filesystem::exists(Out));
    EXPECT_NO_THROW(W->Stop());
    EXPECT_NO_THROW(W->Stop());
}

TEST(DkWavNoDevice, PlayFailsSilently) {
    TTempFolder Dir;
    WriteBytes(Dir / "asound.conf", "pcm.!default { type hw; card 97 }\n");
    setenv("ALSA_CONFIG_PATH", (Dir / "asound.conf").c_str(), 1);
    WriteBytes(Dir / "a.wav", MakeWave(Pattern(400)));
    EXPECT_FALSE(PlaySound((Dir / "a.wav").c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
    TdkWav W(nullptr);
    W.SetFileName(Dir / "a.wav");
    EXPECT_NO_THROW(W.Play());
}

TEST(DkWav, FlagsAndSourcesByPlayFrom) {
    TdkWav W(nullptr);
    EXPECT_EQ(W.SoundFlags(), 0x22003u);
    EXPECT_EQ(W.SoundModule(), nullptr);
    W.SetPlayFrom(pfResource);
    EXPECT_EQ(W.SoundFlags(), 0x42007u);
    EXPECT_EQ(W.SoundModule(), MainInstance());
    EXPECT_STREQ(static_cast<const char*>(W.SoundSource()), "WAVE1");
    W.SetPlayFrom(pfSystemEvent);
    EXPECT_EQ(W.SoundFlags(), 0x12003u);
    EXPECT_STREQ(static_cast<const char*>(W.SoundSource()), ".Default");
    EXPECT_TRUE(W.StoredEventAlias());
    EXPECT_FALSE(W.StoredFileName());
    W.SetLooped(true);
    W.SetNoStopSound(true);
    W.SetNoWaitIfBusy(false);
    W.SetAsyncPlay(false);
    W.SetNoDefaultSound(false);
    EXPECT_EQ(W.SoundFlags(), 0x10018u);
    EXPECT_EQ(SoundThemeEventFor(".Default"), "bell");
    EXPECT_EQ(SoundThemeEventFor("SystemExclamation"), "dialog-warning");
}

TEST(DkFileStorage, ZeroCountAndFileRoundTrip) {
    TTempFolder Dir;
    TdkFileStorage S(nullptr);
    TMemoryStream Empty;
    Empty.WriteBuffer("\0\0\0\0", 4);
    Empty.SetPosition(0);
    S.ReadData(Empty);
    EXPECT_EQ(S.DataSize(), 0u);
    EXPECT_EQ(S.Data().Size(), 0);

    bool Loaded = true;
    S.OnLoad = [&](TObject*, bool Ok) { Loaded = Ok; };
    EXPECT_FALSE(S.LoadFromFile(Dir / "none.bin"));
    EXPECT_FALSE(Loaded);
    WriteBytes(Dir / "in.bin", "payload");
    EXPECT_TRUE(S.LoadFromFile(Dir / "in.bin"));
    EXPECT_TRUE(Loaded);
    EXPECT_EQ(S.DataSize(), 7u);

    WriteBytes(Dir / "out.bin", "old");
    S.OnConfirmOverride = [](TObject*, bool& Override) { Override = false; };
    EXPECT_FALSE(S.SaveToFile(Dir / "out.bin"));
    EXPECT_EQ(ReadBytes(Dir / "out.bin"), "old");
    S.OnConfirmOverride = nullptr;
    EXPECT_TRUE(S.SaveToFile(Dir / "out.bin"));
    EXPECT_EQ(ReadBytes(Dir / "out.bin"), "payload");
    {
        TFileSizeLimit Full(4); // the medium takes only part of the data
        EXPECT_FALSE(S.SaveToFile(Dir / "out.bin"));
    }
    EXPECT_EQ(ReadBytes(Dir / "out.bin"), "payload") << "a failed save keeps the old file";

    // Loading the form with AutoSave writes the data to SaveName.
    TComponent Owner(nullptr);
    auto* A = new TdkFileStorage(&Owner);
    Owner.BeginLoading();
    A->LoadFromFile(Dir / "in.bin");
    A->SetSaveName(Dir / "auto.bin");
    A->SetAutoSave(true);
    Owner.EndLoading();
    EXPECT_EQ(ReadBytes(Dir / "auto.bin"), "payload");
}

TEST(DkFileStorage, DesignTimeAutoSaveNeedsAUsableName) {
    TScriptedDialogsScope Asked;
    TdkFileStorage S(nullptr);
    S.SetDesigning(true);
    S.SetAutoSave(true);
    EXPECT_FALSE(S.AutoSave());
    ASSERT_EQ(Asked->Asked().size(), 1u);
    EXPECT_EQ(Asked->Asked()[0].Text,
              "AutoSave can not be set because the SaveName property contains a wrong file name");
    TTempFolder Dir;
    S.SetSaveName(Dir / "ok.bin");
    S.SetAutoSave(true);
    EXPECT_TRUE(S.AutoSave());
    S.SetSaveName(Dir / "no/such/folder.bin");
    EXPECT_FALSE(S.AutoSave());
    EXPECT_EQ(Asked->Asked().size(), 1u);
}

TEST_F(WavPlayback, NoStopLeavesThePlayingSoundAlone) {
    const std::string Loop = Pattern(4000);
    WriteBytes(Dir / "loop.wav", MakeWave(Loop));
    WriteBytes(Dir / "other.wav", MakeWave(Pattern(4100).substr(100)));
    ASSERT_TRUE(
        PlaySound((Dir / "loop.wav").c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_LOOP));
    ASSERT_TRUE(SoundPlaying());
    EXPECT_FALSE(PlaySound((Dir / "other.wav").c_str(), nullptr, SND_FILENAME | SND_NOSTOP));
    EXPECT_TRUE(SoundPlaying());
    // Without the flag the new sound replaces the loop.
    EXPECT_TRUE(PlaySound((Dir / "other.wav").c_str(), nullptr, SND_FILENAME));
    EXPECT_FALSE(SoundPlaying());
    // The device was opened anew for it, so its file holds just that sound.
    const std::string Other = Pattern(4100).substr(100);
    EXPECT_EQ(WithoutPadding(ReadBytes(Out)), WithoutPadding(Other));
}
