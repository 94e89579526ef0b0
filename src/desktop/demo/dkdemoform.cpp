#include "dkdemoform.h"

#include <cmath>

#include "desktop/dksysutils.h"
#include "platform/desktop/playsound.h"
#include "platform/desktop/wavedata.h"
#include "platform/rtl/streams.h"

namespace {

// The tray's picture: a chess pawn on a round field.
void DrawTrayImage(TCanvas* C, int X, int Y) {
    C->Brush()->SetColor(RGB(30, 90, 160));
    C->Pen()->SetColor(RGB(20, 60, 110));
    C->Ellipse(X, Y, X + 16, Y + 16);
    C->Brush()->SetColor(clWhite);
    C->Pen()->SetColor(clWhite);
    C->Ellipse(X + 6, Y + 3, X + 10, Y + 7);
    C->Rectangle(X + 7, Y + 7, X + 9, Y + 11);
    C->Rectangle(X + 4, Y + 11, X + 12, Y + 13);
}

} // namespace

std::string dkDemoTone(int Hz, int Ms) {
    const int Rate = 22050, Frames = Rate * Ms / 1000;
    std::string Samples;
    for (int i = 0; i < Frames; ++i) {
        const double Fade = std::min(1.0, (Frames - i) / (Rate * 0.05));
        const auto V = static_cast<uint16_t>(
            static_cast<int16_t>(9000 * Fade * std::sin(2 * M_PI * Hz * i / Rate)));
        Samples += static_cast<char>(V & 0xFF);
        Samples += static_cast<char>(V >> 8);
    }
    return MakeWaveImage(Samples, 1, Rate, 16);
}

TDkDemoForm::TDkDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Vivazozodi - bureaubladonderdelen");
    SetBounds(100, 100, 420, 260);
    SetColor(clBtnFace);

    Icons = new TImageList(this);
    TBitmap Image;
    Image.SetSize(16, 16);
    Image.Canvas()->Brush()->SetColor(clFuchsia);
    Image.Canvas()->FillRect(Rect(0, 0, 16, 16));
    DrawTrayImage(Image.Canvas(), 0, 0);
    Icons->AddMasked(&Image, clFuchsia);

    TrayIcon = new TdkTrayIcon(this);
    TrayIcon->SetName("TrayIcon1");
    TrayIcon->SetImageList(Icons);
    TrayIcon->SetHint("Vivazozodi");
    TrayIcon->SetInfoTitle("Ronde 5 compleet");
    TrayIcon->SetInfoText("Alle uitslagen van groep A zijn ingevoerd.");
    TrayIcon->SetInfoType(tiiInfo);

    Wav = new TdkWav(this);
    Wav->SetPlayFrom(pfDFM);
    const std::string Tone = dkDemoTone(880, 400);
    TMemoryStream Stored;
    const uint32_t Size = static_cast<uint32_t>(Tone.size());
    const char Count[4] = {static_cast<char>(Size), static_cast<char>(Size >> 8),
                           static_cast<char>(Size >> 16), static_cast<char>(Size >> 24)};
    Stored.WriteBuffer(Count, 4);
    Stored.WriteBuffer(Tone.data(), static_cast<int64_t>(Tone.size()));
    Stored.SetPosition(0);
    Wav->ReadData(Stored);

    Preview = new TPaintBox(this);
    Preview->SetParent(this);
    Preview->SetBounds(12, 12, 396, 120);
    Preview->OnPaint = [this](TObject* S) { PreviewPaint(S); };

    TrayStatus = new TLabel(this);
    TrayStatus->SetParent(this);
    TrayStatus->SetBounds(12, 142, 396, 18);
    SoundStatus = new TLabel(this);
    SoundStatus->SetParent(this);
    SoundStatus->SetBounds(12, 164, 396, 18);

    BalloonButton = new TButton(this);
    BalloonButton->SetParent(this);
    BalloonButton->SetBounds(12, 200, 190, 30);
    BalloonButton->SetCaption("Ballon tonen");
    BalloonButton->OnClick = [this](TObject* S) { BalloonButtonClick(S); };
    PlayButton = new TButton(this);
    PlayButton->SetParent(this);
    PlayButton->SetBounds(218, 200, 190, 30);
    PlayButton->SetCaption("Geluid afspelen");
    PlayButton->OnClick = [this](TObject* S) { PlayButtonClick(S); };
}

void TDkDemoForm::Demonstrate() {
    ShowTray();
    PlaySound();
}

void TDkDemoForm::ShowTray() {
    try {
        TrayIcon->SetVisible(true);
        TrayStatus->SetCaption(
            TrayIcon->ShowBalloon()
                ? "Pictogram in het systeemvak, ballon getoond."
                : "Pictogram in het systeemvak; dit bureaublad toont geen ballonnen.");
    } catch (const EdkTrayIcon& E) {
        TrayStatus->SetCaption(std::string("Geen systeemvak op dit bureaublad (") + E.what() +
                               ").");
    }
    Preview->Invalidate();
}

void TDkDemoForm::PlaySound() {
    Wav->SetAsyncPlay(true);
    Wav->Play();
    SoundStatus->SetCaption(SoundPlaying() ? "Geluid speelt (880 Hz, 0,4 s)."
                                           : "Geen geluidsapparaat: het geluid blijft stil.");
}

void TDkDemoForm::PlayButtonClick(TObject*) {
    PlaySound();
}

void TDkDemoForm::BalloonButtonClick(TObject*) {
    ShowTray();
}

void TDkDemoForm::PreviewPaint(TObject*) {
    // How the icon and its balloon look in a notification area.
    TCanvas* C = Preview->Canvas();
    const int W = Preview->Width(), H = Preview->Height();
    C->Brush()->SetColor(RGB(46, 52, 64));
    C->FillRect(Rect(0, H - 28, W, H));
    Icons->Draw(C, W - 60, H - 22, 0);
    C->Font()->SetColor(clWhite);
    C->Brush()->SetStyle(bsClear);
    C->TextOut(W - 38, H - 22, "12:00");
    C->Brush()->SetStyle(bsSolid);

    const TRect B = Rect(W - 300, 4, W - 8, H - 44);
    C->Brush()->SetColor(RGB(255, 255, 225));
    C->Pen()->SetColor(RGB(120, 120, 120));
    C->RoundRect(B.Left, B.Top, B.Right, B.Bottom, 12, 12);
    C->Brush()->SetColor(RGB(255, 255, 225));
    C->Polygon(
        {Point(W - 64, B.Bottom - 1), Point(W - 52, B.Bottom + 12), Point(W - 44, B.Bottom - 1)});
    C->Pen()->SetColor(RGB(255, 255, 225));
    C->MoveTo(W - 63, B.Bottom - 1);
    C->LineTo(W - 44, B.Bottom - 1);
    C->Brush()->SetColor(RGB(30, 90, 160));
    C->Pen()->SetColor(RGB(30, 90, 160));
    C->Ellipse(B.Left + 10, B.Top + 10, B.Left + 28, B.Top + 28);
    C->Font()->SetColor(clWhite);
    C->Font()->SetStyle(TFontStyles{fsBold});
    C->Brush()->SetStyle(bsClear);
    C->TextOut(B.Left + 17, B.Top + 11, "i");
    C->Font()->SetColor(clBlack);
    C->TextOut(B.Left + 36, B.Top + 10, TrayIcon->InfoTitle());
    C->Font()->SetStyle(TFontStyles{});
    C->TextOut(B.Left + 36, B.Top + 32, TrayIcon->InfoText());
    C->Font()->SetColor(RGB(90, 90, 90));
    C->TextOut(B.Left + 36, B.Top + 52, "Vivazozodi");
    C->Brush()->SetStyle(bsSolid);
}
