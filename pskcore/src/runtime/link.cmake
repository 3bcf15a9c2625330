# The runtime's link needs: PortAudio for the sound card, libsndfile for the WAV stand-ins, and ALSA,
# when present, only to keep its probe messages off the terminal.
pkg_check_modules(PORTAUDIO REQUIRED IMPORTED_TARGET portaudio-2.0)
pkg_check_modules(ALSA IMPORTED_TARGET alsa)
target_link_libraries(pskcore PUBLIC PkgConfig::PORTAUDIO PkgConfig::SNDFILE)
if(ALSA_FOUND)
  target_link_libraries(pskcore PRIVATE PkgConfig::ALSA)
  target_compile_definitions(pskcore PRIVATE PSKCORE_HAS_ALSA=1)
endif()
# hamlib for rig control: keying over CAT, rigctld or a CM108 GPIO, and the dial read-out.
pkg_check_modules(HAMLIB REQUIRED IMPORTED_TARGET hamlib)
target_link_libraries(pskcore PRIVATE PkgConfig::HAMLIB)
