// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_library.h"

#include <dlfcn.h>

namespace {

template <typename F> bool resolve(void* library, const char* name, F& entry) {
    entry = reinterpret_cast<F>(dlsym(library, name));
    return entry != nullptr;
}

const SdlLibrary* load() {
    // Local: the program calls them through this table only.
    void* sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    void* mixer = sdl ? dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!mixer)
        return nullptr;
    static SdlLibrary table;
    SdlLibrary& t = table;
    const bool complete =
        resolve(sdl, "SDL_SetHint", t.SetHint) &&
        resolve(sdl, "SDL_InitSubSystem", t.InitSubSystem) &&
        resolve(sdl, "SDL_QuitSubSystem", t.QuitSubSystem) &&
        resolve(sdl, "SDL_EventState", t.EventState) &&
        resolve(sdl, "SDL_FlushEvents", t.FlushEvents) &&
        resolve(sdl, "SDL_PeepEvents", t.PeepEvents) &&
        resolve(sdl, "SDL_CreateThread", t.CreateThread) &&
        resolve(sdl, "SDL_WaitThread", t.WaitThread) &&
        resolve(mixer, "Mix_OpenAudio", t.OpenAudio) &&
        resolve(mixer, "Mix_CloseAudio", t.CloseAudio) && resolve(mixer, "Mix_Quit", t.Quit) &&
        resolve(mixer, "Mix_LoadWAV", t.LoadWAV) && resolve(mixer, "Mix_FreeChunk", t.FreeChunk) &&
        resolve(mixer, "Mix_PlayChannel", t.PlayChannel) &&
        resolve(mixer, "Mix_HaltChannel", t.HaltChannel) &&
        resolve(mixer, "Mix_SetSoundFonts", t.SetSoundFonts) &&
        resolve(mixer, "Mix_LoadMUS", t.LoadMUS) &&
        resolve(mixer, "Mix_GetMusicType", t.GetMusicType) &&
        resolve(mixer, "Mix_FreeMusic", t.FreeMusic) &&
        resolve(mixer, "Mix_PlayMusic", t.PlayMusic) &&
        resolve(mixer, "Mix_PlayingMusic", t.PlayingMusic) &&
        resolve(mixer, "Mix_HaltMusic", t.HaltMusic);
    if (!complete)
        return nullptr;
    return &table;
}

} // namespace

const SdlLibrary* SdlLibrary::get() {
    static const SdlLibrary* const library = load();
    return library;
}
