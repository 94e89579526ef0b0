#include "dkwav.h"

TdkWav::TdkWav(TComponent* AOwner) : TdkCustomFileStorage(AOwner) {}

TdkWav::~TdkWav() {
    Stop();
}

unsigned TdkWav::SoundFlags() const {
    unsigned Flags = 0;
    if (FAsyncPlay) Flags |= SND_ASYNC;
    if (FLooped) Flags |= SND_LOOP;
    if (FNoDefaultSound) Flags |= SND_NODEFAULT;
    if (FNoStopSound) Flags |= SND_NOSTOP;
    if (FNoWaitIfBusy) Flags |= SND_NOWAIT;
    switch (FPlayFrom) {
    case pfFile:
        return Flags | SND_FILENAME;
    case pfResource:
        return Flags | SND_RESOURCE;
    case pfDFM:
        return Flags | SND_MEMORY;
    case pfSystemEvent:
        return Flags | SND_ALIAS;
    }
    return Flags;
}

const void* TdkWav::SoundSource() {
    switch (FPlayFrom) {
    case pfFile:
        return FFileName.c_str();
    case pfResource:
        return FResourceName.c_str();
    case pfDFM:
        return FData.Size() > 0 ? FData.Memory() : nullptr;
    case pfSystemEvent:
        return FEventAlias.c_str();
    }
    return nullptr;
}

HMODULE TdkWav::SoundModule() const {
    return FPlayFrom == pfResource ? MainInstance() : nullptr;
}

void TdkWav::Play() {
    const unsigned Flags = SoundFlags();
    const void* Source = SoundSource();
    FPlaying = true;
    if (OnPlayBefore) OnPlayBefore(this);
    // An empty memory source would be the stop request; nothing to play is silence.
    if (Source) PlaySound(Source, SoundModule(), Flags);
    if (OnPlayAfter) OnPlayAfter(this);
    FPlaying = false;
}

void TdkWav::Stop() {
    FPlaying = false;
    PlaySound(nullptr, nullptr, 0);
}

void TdkWav::SetAsyncPlay(bool Value) {
    if (Value == FAsyncPlay) return;
    FAsyncPlay = Value;
    if (Value && FPlaying) Stop();
}

void TdkWav::SetLooped(bool Value) {
    if (Value == FLooped) return;
    FLooped = Value;
    if (FPlaying) {
        Stop();
        if (Value) Play();
    }
}

void TdkWav::SetNoWaitIfBusy(bool Value) {
    if (Value == FNoWaitIfBusy) return;
    FNoWaitIfBusy = Value;
    if (Value && FPlaying) {
        Stop();
        Play();
    }
}

void TdkWav::SetPlayFrom(TdkWavPlayFrom Value) {
    if (Value == FPlayFrom) return;
    FPlayFrom = Value;
    if (Value == pfDFM)
        LoadFromFile(FFileName);
    else
        Clear();
}

void TdkWav::SetFileName(const std::string& Value) {
    if (Value == FFileName) return;
    TdkCustomFileStorage::SetFileName(Value);
    if (FPlayFrom != pfDFM) return;
    if (FPlaying)
        Play();
    else
        Stop();
}

void TdkWav::SetResourceName(const std::string& Value) {
    if (Value == FResourceName) return;
    FResourceName = Value;
    if (FPlayFrom == pfResource && FPlaying) Play();
}

void TdkWav::SetEventAlias(const std::string& Value) {
    if (Value == FEventAlias) return;
    FEventAlias = Value;
    if (FPlayFrom != pfSystemEvent) return;
    if (FPlaying)
        Play();
    else
        Stop();
}
