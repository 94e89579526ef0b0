#pragma once
// A small window that shows the desktop components at work: a tray icon with
// a balloon message and a wave sound.

#include <string>

#include "desktop/dktrayicon.h"
#include "desktop/dkwav.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

class TDkDemoForm : public TForm {
public:
    explicit TDkDemoForm(TComponent* AOwner);
    std::string ClassName() const override { return "TDkDemoForm"; }

    // Shows the tray icon and its balloon, and plays the sound; the window
    // tells how each went.
    void Demonstrate();

    TdkTrayIcon* TrayIcon = nullptr;
    TdkWav* Wav = nullptr;
    TImageList* Icons = nullptr;
    TPaintBox* Preview = nullptr;
    TLabel* TrayStatus = nullptr;
    TLabel* SoundStatus = nullptr;
    TButton* PlayButton = nullptr;
    TButton* BalloonButton = nullptr;

private:
    void PlayButtonClick(TObject* Sender);
    void BalloonButtonClick(TObject* Sender);
    void PreviewPaint(TObject* Sender);
    void ShowTray();
    void PlaySound();
};

// A short tone as a wave image (16-bit mono).
std::string dkDemoTone(int Hz, int Ms);
