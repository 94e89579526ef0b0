#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "desktop/demo/dkdemoform.h"
#include "dktestenv.h"
#include "platform/desktop/wavedata.h"
#include "platform/vcl/controlimage.h"
#include "vz_test_support.h"

TEST(DkDemo, WindowPictureAndItsSound) {
    TTempFolder Dir;
    const std::string Out = Dir / "played.raw";
    WriteBytes(Dir / "asound.conf", "pcm.null { type null }\n"
                                    "pcm.!default { type file; slave.pcm \"null\"; file \"" +
                                        Out + "\"; format \"raw\" }\n");
    setenv("ALSA_CONFIG_PATH", (Dir / "asound.conf").c_str(), 1);

    TDkDemoForm Form(nullptr);
    Form.Demonstrate();
    // The offscreen desktop has no notification area; the window says so.
    EXPECT_EQ(Form.TrayStatus->Caption(),
              "Geen systeemvak op dit bureaublad (TrayIcon1.InsertToTray failed).");
    ASSERT_TRUE(PumpUntil([] { return !SoundPlaying(); }));
    TWaveData Tone;
    std::string Error;
    ASSERT_TRUE(ParseWave(dkDemoTone(880, 400), Tone, Error));
    EXPECT_EQ(ReadBytes(Out).substr(0, Tone.Samples.size()), Tone.Samples);

    TBitmap Picture;
    PaintControlTo(Form, Picture);
    EXPECT_EQ(Picture.Width(), Form.Width());
    const std::string File = ArtifactsDir() + "/desktop_demo.png";
    Picture.SaveToFile(File);
    EXPECT_GT(std::filesystem::file_size(File), 1000u);
}
