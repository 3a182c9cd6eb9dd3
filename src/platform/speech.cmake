# The speaker service: speech synthesis with flite and playback with Qt Multimedia. Only this library links them,
# so the rest of the program builds and starts without touching either.
find_package(Qt6 6.4 REQUIRED COMPONENTS Multimedia)
# flite is loaded when callouts are first switched on (FliteSpeechEngine); only its headers are needed here, and
# the package depends on its runtime library by name.
find_path(TARVANE_FLITE_INCLUDE_DIR flite/flite.h REQUIRED)

add_library(tarvane_speech STATIC)
target_sources(tarvane_speech PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ClipPlayer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClipPlayer.h
    ${CMAKE_CURRENT_LIST_DIR}/FliteSpeechEngine.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FliteSpeechEngine.h
    ${CMAKE_CURRENT_LIST_DIR}/Speaker.h
    ${CMAKE_CURRENT_LIST_DIR}/SpeechClip.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpeechClip.h
    ${CMAKE_CURRENT_LIST_DIR}/SpeechEngine.h
    ${CMAKE_CURRENT_LIST_DIR}/SystemSpeaker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemSpeaker.h
)
target_include_directories(tarvane_speech PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_include_directories(tarvane_speech SYSTEM PRIVATE ${TARVANE_FLITE_INCLUDE_DIR})
target_link_libraries(tarvane_speech PUBLIC tarvane_flags Qt6::Core PRIVATE Qt6::Multimedia)
