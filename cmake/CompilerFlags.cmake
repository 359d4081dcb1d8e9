# Flags every target of ours gets: UTF-8 sources with Shift-JIS literals, and no warnings.
option(GLIMMARK_WERROR "Treat compiler warnings as errors" OFF)
option(GLIMMARK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (native only)" OFF)

function(glimmark_target_flags target)
    if(MSVC)
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:/source-charset:utf-8 /execution-charset:.932 /W4>)
        if(GLIMMARK_WERROR)
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:/WX>)
        endif()
    else()
        # The resource compiler takes none of these; it reads its own code page pragma.
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8 -fexec-charset=CP932 -Wall -Wextra>)
        if(GLIMMARK_WERROR)
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
        endif()
    endif()
    if(GLIMMARK_SANITIZE AND NOT WIN32)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
