#pragma once
// A wave sound played from a file, a sound resource of the program, bytes kept
// with the form, or a named system event.

#include <string>

#include "desktop/dkfilestorage.h"
#include "platform/desktop/playsound.h"

enum TdkWavPlayFrom { pfFile, pfResource, pfDFM, pfSystemEvent };

class TdkWav : public TdkCustomFileStorage {
public:
    explicit TdkWav(TComponent* AOwner);
    ~TdkWav() override;
    std::string ClassName() const override { return "TdkWav"; }

    virtual void Play();
    virtual void Stop();

    bool AsyncPlay() const { return FAsyncPlay; }
    void SetAsyncPlay(bool Value);
    const std::string& EventAlias() const { return FEventAlias; }
    void SetEventAlias(const std::string& Value);
    void SetFileName(const std::string& Value) override;
    bool Looped() const { return FLooped; }
    void SetLooped(bool Value);
    bool NoDefaultSound() const { return FNoDefaultSound; }
    void SetNoDefaultSound(bool Value) { FNoDefaultSound = Value; }
    bool NoStopSound() const { return FNoStopSound; }
    void SetNoStopSound(bool Value) { FNoStopSound = Value; }
    bool NoWaitIfBusy() const { return FNoWaitIfBusy; }
    void SetNoWaitIfBusy(bool Value);
    TdkWavPlayFrom PlayFrom() const { return FPlayFrom; }
    void SetPlayFrom(TdkWavPlayFrom Value);
    const std::string& ResourceName() const { return FResourceName; }
    void SetResourceName(const std::string& Value);
    bool Playing() const { return FPlaying; }

    // Which properties the form stream keeps.
    bool StoredEventAlias() const { return FPlayFrom == pfSystemEvent; }
    bool StoredFileName() const { return FPlayFrom == pfFile; }
    bool StoredResourceName() const { return FPlayFrom == pfResource; }

    // The flags, source and module Play passes (for a player of one's own).
    unsigned SoundFlags() const;
    const void* SoundSource();
    HMODULE SoundModule() const;

    TNotifyEvent OnPlayBefore, OnPlayAfter;

private:
    bool FAsyncPlay = true;
    std::string FEventAlias = ".Default";
    bool FLooped = false;
    bool FNoDefaultSound = true;
    bool FNoStopSound = false;
    bool FNoWaitIfBusy = true;
    TdkWavPlayFrom FPlayFrom = pfFile;
    std::string FResourceName = "WAVE1";
    bool FPlaying = false;
};
