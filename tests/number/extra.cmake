# The sweeps over whole ranges of numbers read every text back; optimise them
# so that they stay quick in Debug and sanitizer builds as well.
if(TARGET number_number_words)
  target_compile_options(number_number_words PRIVATE -O2)
endif()
