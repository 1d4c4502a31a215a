# Fails unless the dynamic symbol table of LIBRARY defines exactly the 25
# ZaroMath entry points. Called with -DNM=<nm> -DLIBRARY=<file>.
set(expected
    FunctionAbs FunctionCos FunctionCosH FunctionExp FunctionLn FunctionLog FunctionPower
    FunctionSin FunctionSinH FunctionSqrt FunctionTan FunctionTanH OperatorAdd
    OperatorDivideInto OperatorEqual OperatorGreater OperatorGreaterEqual OperatorLess
    OperatorLessEqual OperatorMinus OperatorNotEqual OperatorPlus OperatorSubtract
    OperatorTimes ZaroMathDllVersion)

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()

set(found)
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]+ [A-Za-z] ([^ @]+)")
    list(APPEND found ${CMAKE_MATCH_1})
  endif()
endforeach()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exports differ:\n  expected ${expected}\n  found    ${found}")
endif()
message(STATUS "the 25 entry points and nothing else are exported")
