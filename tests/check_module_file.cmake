# Checks the built plug-in file: it exports _mod_descrip and nothing else, and on Windows
# it imports only KERNEL32.dll and msvcrt.dll. With MAX_BYTES, the file is at most that long.
# With IMPORTS, a file of "DLL function" lines ('#' starts a comment), the file imports
# exactly the functions listed: one it does not list fails with its name, and so does a
# listed one it no longer imports, so that the list stays as short as the build.
# With INSTRUCTIONS=i686 (the 32-bit Windows file), every instruction of the file's code is
# one a Pentium Pro runs: the first that is not fails with its address, its function and
# itself. SYMBOLS is the file whose symbol table maps the code, MODULE itself unless given:
# the stripped file has none, and is checked with the built file's, whose code it is.
if(DEFINED MAX_BYTES)
    file(SIZE ${MODULE} bytes)
    if(bytes GREATER MAX_BYTES)
        message(FATAL_ERROR "${MODULE} is ${bytes} bytes, more than ${MAX_BYTES}")
    endif()
endif()
if(NOT SYMBOLS)
    set(SYMBOLS ${MODULE})
endif()

function(objdump result)
    execute_process(COMMAND ${TOOL} ${ARGN} OUTPUT_VARIABLE output RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "objdump ${ARGN} failed")
    endif()
    set(${result} "${output}" PARENT_SCOPE)
endfunction()

# What a Pentium Pro runs in user mode, as objdump names it in Intel syntax, without the
# prefixes (lock, rep, segment, operand and address size): the 80386's and 80486's integer
# instructions, the Pentium's cpuid, rdtsc and cmpxchg8b, the Pentium Pro's conditional
# moves, comparisons into the flags and ud2, and the x87's. Two more are encodings that
# processors without them run as older instructions, as the runtime's code relies on:
# pause (rep nop) and tzcnt (rep bsf: the compiler writes it where the operand is not zero,
# where bsf gives the same result). A nop with an operand (0f 1f) is left out: not every
# processor of the Pentium Pro's generation runs it.
set(i686_instructions
    aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call cbw cdq clc cld
    cmc cmp cmps cmpxchg cmpxchg8b cpuid cwd cwde daa das dec div enter idiv imul inc int
    int3 into iret iretd jcxz jecxz jmp lahf lds lea leave les lfs lgs lods loop loope loopne
    lss mov movs movsx movzx mul neg nop not or pop popa popad popf popfd
    push pusha pushad pushf pushfd rcl rcr rdpmc rdtsc ret retf rol ror sahf sal sar sbb scas
    shl shld shr shrd stc std stos sub test ud2 xadd xchg xlat xor
    ja jae jb jbe je jg jge jl jle jne jno jnp jns jo jp js
    seta setae setb setbe sete setg setge setl setle setne setno setnp setns seto setp sets
    cmova cmovae cmovb cmovbe cmove cmovg cmovge cmovl cmovle cmovne cmovno cmovnp cmovns
    cmovo cmovp cmovs
    f2xm1 fabs fadd faddp fbld fbstp fchs fclex fcmovb fcmovbe fcmove fcmovnb fcmovnbe
    fcmovne fcmovnu fcmovu fcom fcomi fcomip fcomp fcompp fcos fdecstp fdiv fdivp fdivr
    fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fist fistp fisub
    fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnclex
    fninit fnop fnsave fnstcw fnstenv fnstsw fpatan fprem fprem1 fptan frndint frstor fsave
    fscale fsin fsincos fsqrt fst fstcw fstenv fstp fstsw fsub fsubp fsubr fsubrp ftst fucom
    fucomi fucomip fucomp fucompp fwait fxam fxch fxtract fyl2x fyl2xp1
    pause tzcnt)

# Functions whose instructions outside that set never run on the renderer's systems, each
# with the reason. mingw-w64's fesetround and feclearexcept set the SSE unit's control
# register (ldmxcsr, stmxcsr) after the x87's when the processor has SSE, a check that does
# not ask whether the system saves that register (Windows 95 and NT 4.0 do not). The one
# caller of fesetround is libstdc++'s std::to_chars for long double, which the module never
# calls; nothing calls feclearexcept, which comes in for the processor check in its file.
set(outside_i686_allowed _fesetround _feclearexcept)

# The code's address ranges, "start stop" each: the .text section up to the list of
# constructors, where the start-up's data begins (the constructors' and destructors' lists
# and the exception tables), less the allowed functions, each up to the symbol after it.
function(code_ranges result)
    objdump(sections -h ${SYMBOLS})
    objdump(symbols -t ${SYMBOLS})
    if(NOT sections MATCHES "\\.text +[0-9a-f]+ +([0-9a-f]+)")
        message(FATAL_ERROR "${SYMBOLS} has no .text section")
    endif()
    set(text 0x${CMAKE_MATCH_1})
    if(NOT symbols MATCHES "\\(sec  1\\)[^\n]* 0x([0-9a-f]+) ___CTOR_LIST__\n")
        message(FATAL_ERROR "${SYMBOLS} has no ___CTOR_LIST__, where its code ends")
    endif()
    math(EXPR code_end "${text} + 0x${CMAKE_MATCH_1}")
    set(allowed)
    foreach(name IN LISTS outside_i686_allowed)
        if(NOT symbols MATCHES "\\(sec  1\\)[^\n]* 0x([0-9a-f]+) ${name}\n")
            continue()
        endif()
        math(EXPR function "${text} + 0x${CMAKE_MATCH_1}")
        math(EXPR look_to "${function} + 65536")
        objdump(listing -d --start-address=${function} --stop-address=${look_to} ${SYMBOLS})
        string(REGEX MATCHALL "\n\n[0-9a-f]+ <" headers "${listing}")
        list(GET headers 1 next)
        string(STRIP "${next}" next)
        string(REPLACE " <" "" next "${next}")
        math(EXPR next "0x${next}")
        list(APPEND allowed "${function} ${next}")
    endforeach()
    list(SORT allowed COMPARE NATURAL)
    math(EXPR start "${text}")
    set(ranges)
    foreach(function IN LISTS allowed)
        separate_arguments(function)
        list(GET function 0 function_start)
        list(APPEND ranges "${start} ${function_start}")
        list(GET function 1 start)
    endforeach()
    list(APPEND ranges "${start} ${code_end}")
    set(${result} "${ranges}" PARENT_SCOPE)
endfunction()

# The instruction at ADDRESS as the file with symbols shows it: "<function+offset>:
# address: instruction".
function(describe_instruction address result)
    math(EXPR stop "${address} + 16")
    objdump(listing -d -M intel --no-show-raw-insn --start-address=${address}
            --stop-address=${stop} ${SYMBOLS})
    string(REGEX MATCH "<[^\n]+>:\n[^\n]+" line "${listing}")
    string(REGEX REPLACE "[\n\t ]+" " " line "${line}")
    set(${result} "${line}" PARENT_SCOPE)
endfunction()

function(check_instructions)
    code_ranges(ranges)
    set(listing "")
    foreach(range IN LISTS ranges)
        separate_arguments(range)
        list(GET range 0 start)
        list(GET range 1 stop)
        objdump(part -d -M intel --no-show-raw-insn --start-address=${start}
                --stop-address=${stop} ${MODULE})
        string(APPEND listing "${part}")
    endforeach()
    # Each instruction's name alone: prefixes dropped, a nop with an operand renamed.
    string(REGEX REPLACE ":\t((lock|rep[a-z]*|data16|addr16|[c-gs]s) +)+" ":\t" names
           "${listing}")
    string(REGEX REPLACE ":\tnop +[^\n]+" ":\tnop-with-operand" names "${names}")
    string(REGEX MATCHALL ":\t[^ \n]+" found "${names}")
    list(REMOVE_DUPLICATES found)
    list(TRANSFORM found REPLACE "^:\t" "")
    list(REMOVE_ITEM found ${i686_instructions})
    if(NOT found)
        return()
    endif()
    # The lowest address at which one of them stands.
    set(first "")
    foreach(name IN LISTS found)
        string(REGEX REPLACE "([][.*+?^$()|\\])" "\\\\\\1" pattern "${name}")
        string(REGEX MATCH "\n *([0-9a-f]+):\t${pattern}[ \n]" line "${names}")
        math(EXPR address "0x${CMAKE_MATCH_1}")
        if(first STREQUAL "" OR address LESS first)
            set(first ${address})
        endif()
    endforeach()
    describe_instruction(${first} instruction)
    list(JOIN found " " names)
    message(FATAL_ERROR "The first instruction outside the i686 set in\n  ${MODULE}:\n  "
                        "${instruction}\nAll those outside it: ${names}")
endfunction()

if(INSTRUCTIONS STREQUAL "i686")
    check_instructions()
elseif(INSTRUCTIONS)
    message(FATAL_ERROR "unknown instruction set ${INSTRUCTIONS}")
endif()
# The imports objdump shows, one "DLL function" entry each, read from the DLL blocks of its
# import tables (which end where its export tables begin).
function(read_imports dump result)
    string(REGEX REPLACE "^.*The Import Tables" "" tables "${dump}")
    string(REGEX REPLACE "The Export Tables.*$" "" tables "${tables}")
    string(REPLACE ";" "," tables "${tables}")
    string(REPLACE "\n" ";" lines "${tables}")
    set(dll "")
    set(imports "")
    foreach(line IN LISTS lines)
        if(line MATCHES "DLL Name: ([^ \t]+)")
            set(dll ${CMAKE_MATCH_1})
        elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([^ \t]+)$")
            list(APPEND imports "${dll} ${CMAKE_MATCH_1}")
        endif()
    endforeach()
    set(${result} "${imports}" PARENT_SCOPE)
endfunction()

function(check_imports dump list_file)
    read_imports("${dump}" imports)
    file(STRINGS ${list_file} allowed REGEX "^[^#]")
    set(unlisted ${imports})
    list(REMOVE_ITEM unlisted ${allowed})
    set(gone ${allowed})
    list(REMOVE_ITEM gone ${imports})
    if(unlisted OR gone)
        list(JOIN unlisted "\n  " unlisted_text)
        list(JOIN gone "\n  " gone_text)
        message(FATAL_ERROR "${MODULE}: imports that ${list_file} does not list:\n  "
                            "${unlisted_text}\nlisted imports the file no longer makes:\n  "
                            "${gone_text}")
    endif()
endfunction()

if(WINDOWS)
    execute_process(COMMAND ${TOOL} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "objdump failed on ${MODULE}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    list(SORT imports)
    if(NOT imports STREQUAL "DLL Name: KERNEL32.dll;DLL Name: msvcrt.dll")
        message(FATAL_ERROR "unexpected imports: ${imports}")
    endif()
    if(IMPORTS)
        check_imports("${dump}" ${IMPORTS})
    endif()
    # The export name table runs from its heading to the first empty line.
    string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" table "${dump}")
    string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exports "${table}")
    if(NOT exports MATCHES "^\\[ *0\\] _mod_descrip$")
        message(FATAL_ERROR "unexpected exports: ${exports}")
    endif()
else()
    execute_process(COMMAND ${TOOL} -D --defined-only ${MODULE}
                    OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "nm failed on ${MODULE}")
    endif()
    string(REGEX MATCHALL "[^\n ]+\n" names "${dump}")
    string(REPLACE "\n" "" names "${names}")
    if(NOT names STREQUAL "_mod_descrip")
        message(FATAL_ERROR "unexpected dynamic symbols: ${names}")
    endif()
endif()
if(INSTRUCTIONS)
    message(STATUS "${MODULE}: exports, imports and instructions (${INSTRUCTIONS}) as expected")
else()
    message(STATUS "${MODULE}: exports and imports as expected")
endif()
