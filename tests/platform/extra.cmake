# The audio output test captures what SDL mixes in (faster than) real time:
# a minute is plenty, and a player that blocks on a file must fail, not hang.
if(TEST platform_sdl_audio_output)
  set_tests_properties(platform_sdl_audio_output PROPERTIES TIMEOUT 60)
endif()
