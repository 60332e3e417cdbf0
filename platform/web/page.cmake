# SPDX-License-Identifier: MIT
# Writes the page into OUTPUT from the sources in SOURCE and the game's
# module WASM: one index.html that holds its style and its script, the
# module in base64 at the script's head (so the page also plays from
# file://, and one request serves it), with a content security policy that
# allows those two by their hashes; the manifest; and the offline worker,
# whose copy is named after the files it keeps. The icons are there before.
# Usage: cmake -DSOURCE=... -DWASM=... -DOUTPUT=... -P page.cmake

# The base64 of the bytes that `hex` spells, as a policy's hash is written.
function(base64_of_hex hex result)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" length)
  set(text "")
  foreach(at RANGE 0 ${length} 6)
    string(SUBSTRING "${hex}" ${at} 6 group)  # three bytes, or what is left
    string(LENGTH "${group}" digits)
    if(digits EQUAL 0)
      break()
    endif()
    math(EXPR bits "0x${group} << (24 - 4 * ${digits})")
    math(EXPR characters "${digits} / 2 + 1")
    foreach(shift 18 12 6 0)
      if(characters GREATER 0)
        math(EXPR index "(${bits} >> ${shift}) & 63")
        string(SUBSTRING "${alphabet}" ${index} 1 character)
        string(APPEND text "${character}")
        math(EXPR characters "${characters} - 1")
      else()
        string(APPEND text "=")
      endif()
    endforeach()
  endforeach()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

function(hash_of text result)
  string(SHA256 hex "${text}")
  base64_of_hex(${hex} base64)
  set(${result} "${base64}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND base64 -w0 ${WASM} OUTPUT_VARIABLE module RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the game's module ${WASM}")
endif()
file(READ ${SOURCE}/titletype.js loader)
set(SCRIPT "const titletypeWasm = '${module}';\n${loader}")
file(READ ${SOURCE}/page.css STYLE)
hash_of("${SCRIPT}" SCRIPT_HASH)
hash_of("${STYLE}" STYLE_HASH)
configure_file(${SOURCE}/page.html ${OUTPUT}/index.html @ONLY)
configure_file(${SOURCE}/manifest.webmanifest ${OUTPUT}/manifest.webmanifest COPYONLY)

set(content "")
foreach(file index.html manifest.webmanifest icon-32.png icon-192.png icon-512.png)
  file(SHA256 ${OUTPUT}/${file} hex)
  string(APPEND content "${hex}")
endforeach()
string(SHA256 VERSION "${content}")
string(SUBSTRING "${VERSION}" 0 16 VERSION)
configure_file(${SOURCE}/offline_worker.js ${OUTPUT}/offline_worker.js @ONLY)
