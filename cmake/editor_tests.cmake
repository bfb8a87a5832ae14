# --- the editor extension (editors/vscode): node tests of its grammar, its language
# configuration and snippets, and its reading of --check, run with the npm packages
# that tools/test installs (tools/lib/npm.sh). Skipped where node is missing; packages
# that are missing fail them.

set(ML_EDITOR_TOOLS "${PROJECT_SOURCE_DIR}/build/editor-tools" CACHE PATH
    "Where tools/lib/npm.sh installed the editor extension's npm packages")
set(ML_EDITOR_TESTS_DIR "${PROJECT_SOURCE_DIR}/tests/editor")
foreach(name grammar configuration check-output diagnostics)
  string(REPLACE "-" "_" test ${name})
  add_test(NAME editor.${test}
           COMMAND bash "${ML_EDITOR_TESTS_DIR}/run-node-test" "${ML_EDITOR_TOOLS}"
                   "${ML_EDITOR_TESTS_DIR}/${name}-test.js")
  set_tests_properties(editor.${test} PROPERTIES LABELS editor SKIP_RETURN_CODE 77 TIMEOUT 120
                       ENVIRONMENT "ML_PROGRAM=$<TARGET_FILE:morrowlark>")
endforeach()
# The vim settings README.md gives for --check.
add_test(NAME editor.vim_errorformat COMMAND bash "${ML_EDITOR_TESTS_DIR}/vim-errorformat-test")
set_tests_properties(editor.vim_errorformat PROPERTIES LABELS editor SKIP_RETURN_CODE 77 TIMEOUT 60)
