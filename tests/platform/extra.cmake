# The audio output test captures what SDL mixes in (faster than) real time:
# a minute is plenty, and a player that blocks on a file must fail, not hang.
if(TEST platform_sdl_audio_output)
  set_tests_properties(platform_sdl_audio_output PROPERTIES TIMEOUT 60)
endif()

# These tests also look at SDL themselves; the program only loads it at the
# first sound.
if(TARGET platform_sdl_audio_output)
  target_link_libraries(platform_sdl_audio_output PRIVATE SDL2_mixer::SDL2_mixer SDL2::SDL2)
endif()
if(TARGET platform_audio_files)
  target_link_libraries(platform_audio_files PRIVATE SDL2::SDL2)
endif()
