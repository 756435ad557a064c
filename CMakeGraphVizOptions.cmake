# `cmake --graphviz=layers.dot build` draws the project's own libraries and
# programs only: docs/layers.md.
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^qv_.*_tests$" "^bench_" "_fuzzer$" "^Qt6::" "^GTest::")
