# The probe corpus: movies of the patterns whole collections are made of, with the outcome each must
# reach (expected.tsv), written at build time; tests/engine/probe_corpus.sh plays them.
qt_add_executable(swfcorpus corpus.cpp corpusscripts.cpp corpusscripts.h)
target_link_libraries(swfcorpus PRIVATE quen_swfwriter quen_core)
set_target_properties(swfcorpus PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/corpus/expected.tsv
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/corpus
    COMMAND swfcorpus ${CMAKE_BINARY_DIR}/corpus
    DEPENDS swfcorpus
    COMMENT "Writing the probe corpus"
    VERBATIM)
add_custom_target(probe_corpus ALL DEPENDS ${CMAKE_BINARY_DIR}/corpus/expected.tsv)
