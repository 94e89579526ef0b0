#pragma once
// Wave sounds, one at a time per process, with the flags of the platform's
// PlaySound: a file, a sound resource of the program, a wave image in memory
// or a named system event sound; synchronous or in the background, looped,
// without stopping a sound that plays, without waiting for a busy device.
// Sounds play through ALSA's default device; event sounds through the
// desktop's sound theme. With no device a call fails silently (false).

#include <string>

using HMODULE = const void*;

constexpr unsigned SND_SYNC = 0x0000;
constexpr unsigned SND_ASYNC = 0x0001;
constexpr unsigned SND_NODEFAULT = 0x0002;
constexpr unsigned SND_MEMORY = 0x0004;
constexpr unsigned SND_LOOP = 0x0008;
constexpr unsigned SND_NOSTOP = 0x0010;
constexpr unsigned SND_NOWAIT = 0x2000;
constexpr unsigned SND_ALIAS = 0x10000;
constexpr unsigned SND_FILENAME = 0x20000;
constexpr unsigned SND_RESOURCE = 0x40004;

// The program's own module, for sound resources.
HMODULE MainInstance();
// Adds a sound resource (a wave image) to a module under a name.
void RegisterSoundResource(HMODULE Module, const std::string& Name, const std::string& Wave);

// Sound: a file name, a resource name or an alias (text in the program's code
// page), or with SND_MEMORY a wave image; nullptr stops what plays.
bool PlaySound(const void* Sound, HMODULE Module, unsigned Flags);
// True while a sound of this process plays.
bool SoundPlaying();
// The freedesktop sound-theme name of a system event alias (".Default" -> "bell").
std::string SoundThemeEventFor(const std::string& Alias);
