// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

// SDL and SDL_mixer, loaded into the process when the audio output is first
// looked for, on that search's own thread (SdlAudioDevice), rather than at
// start-up: the mixer brings some sixty libraries with it (decoders, the MIDI
// synthesizer, sound servers), which the first window does not need. The
// program is not linked with them; these are their entry points, called by
// the sound player, the music and the audio output only.
struct SdlLibrary {
    decltype(&::SDL_SetHint) SetHint;
    decltype(&::SDL_InitSubSystem) InitSubSystem;
    decltype(&::SDL_QuitSubSystem) QuitSubSystem;
    decltype(&::SDL_EventState) EventState;
    decltype(&::SDL_FlushEvents) FlushEvents;
    decltype(&::SDL_PeepEvents) PeepEvents;
    decltype(&::SDL_CreateThread) CreateThread;
    decltype(&::SDL_WaitThread) WaitThread;
    decltype(&::Mix_OpenAudio) OpenAudio;
    decltype(&::Mix_CloseAudio) CloseAudio;
    decltype(&::Mix_Quit) Quit;
    decltype(&::Mix_LoadWAV) LoadWAV;
    decltype(&::Mix_FreeChunk) FreeChunk;
    decltype(&::Mix_PlayChannel) PlayChannel;
    decltype(&::Mix_HaltChannel) HaltChannel;
    decltype(&::Mix_SetSoundFonts) SetSoundFonts;
    decltype(&::Mix_LoadMUS) LoadMUS;
    decltype(&::Mix_GetMusicType) GetMusicType;
    decltype(&::Mix_FreeMusic) FreeMusic;
    decltype(&::Mix_PlayMusic) PlayMusic;
    decltype(&::Mix_PlayingMusic) PlayingMusic;
    decltype(&::Mix_HaltMusic) HaltMusic;

    // The libraries, loaded on the first call (from any thread); null when
    // they are not installed or lack an entry point, which leaves the program
    // silent. Loaded once, never unloaded.
    static const SdlLibrary* get();
};
