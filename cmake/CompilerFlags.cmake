# Flags every target of ours gets: UTF-8 sources and string literals, and no warnings.
option(GLIMMARK_WERROR "Treat compiler warnings as errors" OFF)
option(GLIMMARK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (native only)" OFF)

function(glimmark_target_flags target)
    if(MSVC)
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:/utf-8 /W4>)
        if(GLIMMARK_WERROR)
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:/WX>)
        endif()
    elseif(EMSCRIPTEN)
        # The browser reads UTF-8, and clang knows no other execution character set.
        target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${GLIMMARK_WERROR}>:-Werror>)
    else()
        # The resource compiler takes none of these; it reads its own code page pragma.
        target_compile_options(${target} PRIVATE
            $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8 -fexec-charset=UTF-8 -Wall -Wextra>)
        if(GLIMMARK_WERROR)
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
        endif()
        # A smashed stack ends the program rather than running whatever overwrote a return address,
        # and string and memory calls check the sizes the compiler knows. The fortified calls need
        # optimisation (without it they warn), so unoptimised builds go without; MinGW-w64 takes both
        # from libssp, which -fstack-protector-strong links in, statically like everything else.
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>
            $<$<AND:$<COMPILE_LANGUAGE:C,CXX>,$<CONFIG:Release,RelWithDebInfo,MinSizeRel>>:-D_FORTIFY_SOURCE=2>)
        target_link_options(${target} PRIVATE -fstack-protector-strong)
    endif()
    if(GLIMMARK_SANITIZE AND NOT WIN32)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()
