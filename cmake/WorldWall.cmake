# The wall between the game world and SDL, proven by every build:
#
# 1. Configure: nothing gorb_world or gorb_data links, directly or through another target, is
#    SDL, fontconfig, or a layer that uses them (gorb_platform, gorb_media).
# 2. Compile: world and data files see, in place of every SDL header, a stand-in that stops the
#    build with an #error. SDL's own folder is not on their include path, so `#include <SDL.h>`
#    would not be found anyway; the stand-ins give the reason, and they also catch
#    `<SDL2/SDL.h>`, which the system's include folder would otherwise resolve. A world file
#    that includes a platform header which includes SDL (the message pump, the surfaces) fails
#    the same way.
# 3. Link: tests/wall links every object of the world library into a program without SDL and
#    runs a game in it; a world file that calls the platform directly does not link.

function(gorb_assert_links_no_sdl target)
  set(todo ${target})
  set(seen "")
  while(todo)
    list(POP_FRONT todo t)
    # $<LINK_ONLY:x> (a static library's private dependency, as its users see it) is x.
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" t "${t}")
    if(t IN_LIST seen)
      continue()
    endif()
    list(APPEND seen "${t}")
    if(t MATCHES "SDL|sdl|FONTCONFIG|fontconfig|X11|x11|^gorb_platform$|^gorb_media$|^gorb_frontend$")
      message(FATAL_ERROR "${target} must link no SDL, but it reaches ${t}: the game world gets "
                          "everything outside it through its media port (world/MediaPort.h)")
    endif()
    if(TARGET "${t}")
      foreach(prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(libs "${t}" ${prop})
        if(libs)
          list(APPEND todo ${libs})
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()

gorb_assert_links_no_sdl(gorb_data)
gorb_assert_links_no_sdl(gorb_world)

# A stand-in for every header in SDL's include folders, under its own name and under SDL2/.
set(GORB_WALL_INCLUDE ${CMAKE_BINARY_DIR}/world-wall/include)
set(_sdl_headers "")
foreach(dir IN LISTS SDL2_INCLUDE_DIRS SDL2TTF_INCLUDE_DIRS)
  file(GLOB _h RELATIVE ${dir} ${dir}/*.h)
  list(APPEND _sdl_headers ${_h})
endforeach()
list(REMOVE_DUPLICATES _sdl_headers)
if(NOT "SDL.h" IN_LIST _sdl_headers)
  message(FATAL_ERROR "SDL.h not found in SDL2's include folders (${SDL2_INCLUDE_DIRS})")
endif()
foreach(h IN LISTS _sdl_headers)
  set(_text "#error \"the game world includes no SDL (${h}): it reaches the screen, sound, input, time and messages through world/MediaPort.h\"\n")
  file(CONFIGURE OUTPUT ${GORB_WALL_INCLUDE}/${h} CONTENT "${_text}")
  file(CONFIGURE OUTPUT ${GORB_WALL_INCLUDE}/SDL2/${h} CONTENT "${_text}")
endforeach()

# Every target made of world files: the world library and the data it builds on.
function(gorb_behind_the_wall target)
  target_include_directories(${target} BEFORE PRIVATE ${GORB_WALL_INCLUDE})
endfunction()
gorb_behind_the_wall(gorb_data)
gorb_behind_the_wall(gorb_world)
