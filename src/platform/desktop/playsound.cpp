#include "playsound.h"

#include <alsa/asoundlib.h>
#include <canberra.h>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/desktop/wavedata.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"

namespace {

void SilentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

struct TAlsaPcm {
    snd_pcm_t* Handle = nullptr;
    ~TAlsaPcm() {
        if (Handle) snd_pcm_close(Handle);
    }
};

snd_pcm_format_t AlsaFormat(const TWaveData& Wave) {
    if (Wave.Kind == TWaveData::skFloat) return SND_PCM_FORMAT_FLOAT_LE;
    switch (Wave.BitsPerSample) {
    case 8:
        return SND_PCM_FORMAT_U8;
    case 16:
        return SND_PCM_FORMAT_S16_LE;
    case 24:
        return SND_PCM_FORMAT_S24_3LE;
    default:
        return SND_PCM_FORMAT_S32_LE;
    }
}

class TPlayer {
public:
    ~TPlayer() {
        StopWave();
        if (FCanberra) ca_context_destroy(FCanberra);
    }

    bool Playing() const { return FPlaying; }

    void StopWave() {
        std::lock_guard<std::mutex> Guard(FLock);
        FStop = true;
        if (FWorker.joinable()) FWorker.join();
        FStop = false;
        FPlaying = false;
    }

    void StopAll() {
        StopWave();
        std::lock_guard<std::mutex> Guard(FLock);
        if (FCanberra) ca_context_cancel(FCanberra, EventSoundId);
    }

    bool PlayWave(const TWaveData& Wave, unsigned Flags) {
        static const bool Quiet = [] {
            snd_lib_error_set_handler(SilentAlsaErrors);
            return true;
        }();
        (void)Quiet;
        auto Pcm = std::make_unique<TAlsaPcm>();
        const int Mode = (Flags & SND_NOWAIT) ? SND_PCM_NONBLOCK : 0;
        if (snd_pcm_open(&Pcm->Handle, "default", SND_PCM_STREAM_PLAYBACK, Mode) < 0) {
            Pcm->Handle = nullptr;
            return false;
        }
        if (Mode) snd_pcm_nonblock(Pcm->Handle, 0);
        if (snd_pcm_set_params(Pcm->Handle, AlsaFormat(Wave), SND_PCM_ACCESS_RW_INTERLEAVED,
                               Wave.Channels, Wave.SampleRate, 1, 200000) < 0)
            return false;
        const bool Loop = (Flags & SND_LOOP) != 0;
        std::lock_guard<std::mutex> Guard(FLock);
        FPlaying = true;
        if (!(Flags & SND_ASYNC) && !Loop) {
            Play(*Pcm, Wave, false);
            FPlaying = false;
            return true;
        }
        FWorker = std::thread([this, P = std::move(Pcm), Wave, Loop] {
            Play(*P, Wave, Loop);
            FPlaying = false;
        });
        return true;
    }

    bool PlayEvent(const std::string& EventId, bool Wait) {
        std::lock_guard<std::mutex> Guard(FLock);
        if (!FCanberra && ca_context_create(&FCanberra) != CA_SUCCESS) {
            FCanberra = nullptr;
            return false;
        }
        if (ca_context_play(FCanberra, EventSoundId, CA_PROP_EVENT_ID, EventId.c_str(), nullptr) !=
            CA_SUCCESS)
            return false;
        for (int Waited = 0; Wait && Waited < 10000; Waited += 20) {
            int Busy = 0;
            if (ca_context_playing(FCanberra, EventSoundId, &Busy) != CA_SUCCESS || !Busy) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

private:
    static constexpr uint32_t EventSoundId = 1;

    void Play(TAlsaPcm& Pcm, const TWaveData& Wave, bool Loop) {
        const snd_pcm_uframes_t Frames = Wave.Samples.size() / Wave.BlockAlign;
        if (Frames == 0) return;
        const char* Data = Wave.Samples.data();
        do {
            snd_pcm_uframes_t Done = 0;
            while (Done < Frames && !FStop) {
                const snd_pcm_uframes_t Chunk = std::min<snd_pcm_uframes_t>(Frames - Done, 1024);
                snd_pcm_sframes_t N =
                    snd_pcm_writei(Pcm.Handle, Data + Done * Wave.BlockAlign, Chunk);
                if (N < 0) N = snd_pcm_recover(Pcm.Handle, static_cast<int>(N), 1);
                if (N < 0) return;
                Done += static_cast<snd_pcm_uframes_t>(N);
            }
        } while (Loop && !FStop);
        if (FStop)
            snd_pcm_drop(Pcm.Handle);
        else
            snd_pcm_drain(Pcm.Handle);
    }

    std::mutex FLock;
    std::thread FWorker;
    std::atomic<bool> FStop{false};
    std::atomic<bool> FPlaying{false};
    ca_context* FCanberra = nullptr;
};

TPlayer& Player() {
    static TPlayer P;
    return P;
}

struct TResources {
    std::mutex Lock;
    std::map<std::pair<HMODULE, std::string>, std::string> Sounds;
};

TResources& Resources() {
    static TResources R;
    return R;
}

bool FindResource(HMODULE Module, const std::string& Name, std::string& Wave) {
    std::lock_guard<std::mutex> Guard(Resources().Lock);
    for (const auto& [Key, Data] : Resources().Sounds)
        if (Key.first == Module && SameText(Key.second, Name)) {
            Wave = Data;
            return true;
        }
    return false;
}

const char ModuleMarker = 0;

} // namespace

HMODULE MainInstance() {
    return &ModuleMarker;
}

void RegisterSoundResource(HMODULE Module, const std::string& Name, const std::string& Wave) {
    std::lock_guard<std::mutex> Guard(Resources().Lock);
    Resources().Sounds[{Module, Name}] = Wave;
}

std::string SoundThemeEventFor(const std::string& Alias) {
    static const std::pair<const char*, const char*> Names[] = {
        {".Default", "bell"},
        {"SystemDefault", "bell"},
        {"SystemAsterisk", "dialog-information"},
        {"SystemExclamation", "dialog-warning"},
        {"SystemHand", "dialog-error"},
        {"SystemQuestion", "dialog-question"},
        {"SystemStart", "desktop-login"},
        {"SystemExit", "desktop-logout"},
        {"MailBeep", "message-new-email"},
        {"SystemNotification", "message"},
    };
    for (const auto& [Win, Theme] : Names)
        if (SameText(Alias, Win)) return Theme;
    return LowerCase(Alias);
}

bool SoundPlaying() {
    return Player().Playing();
}

bool PlaySound(const void* Sound, HMODULE Module, unsigned Flags) {
    TPlayer& P = Player();
    if (!Sound) {
        P.StopAll();
        return true;
    }
    if ((Flags & SND_NOSTOP) && P.Playing()) return false;
    P.StopAll();

    std::string Bytes;
    bool Found = false;
    const bool Sync = !(Flags & SND_ASYNC);
    if ((Flags & SND_RESOURCE) == SND_RESOURCE) {
        Found = FindResource(Module, static_cast<const char*>(Sound), Bytes);
    } else if (Flags & SND_MEMORY) {
        const std::size_t Size = RiffImageSize(Sound);
        Found = Size > 0;
        if (Found) Bytes.assign(static_cast<const char*>(Sound), Size);
    } else if (Flags & SND_ALIAS) {
        if (P.PlayEvent(SoundThemeEventFor(static_cast<const char*>(Sound)), Sync)) return true;
    } else {
        const std::string Name = static_cast<const char*>(Sound);
        if (FileExists(Name)) {
            try {
                Bytes = ReadFileBytes(Name);
                Found = true;
            } catch (const std::exception&) {
            }
        }
    }
    TWaveData Wave;
    std::string Error;
    if (Found && ParseWave(Bytes, Wave, Error)) return P.PlayWave(Wave, Flags);
    if (Flags & SND_NODEFAULT) return false;
    return P.PlayEvent("bell", Sync);
}
