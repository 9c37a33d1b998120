# Compiler settings shared by every target of ours (not by GoogleTest).

if(WIN32)
  # Unicode Win32 API, no min/max macros, Windows 7 as the oldest API level we call.
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
  # One self-contained file per program: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(QS_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings for our own targets.
function(qs_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
  if(QS_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
