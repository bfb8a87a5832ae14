// The accessibility client library's entry points. Like the X libraries it is opened
// with dlopen at the first use, so the program runs where it is not installed, and
// only a script that looks for controls by name pays for loading it.
#pragma once

#include <atspi/atspi.h>

namespace ml {

#define ML_ATSPI_FUNCTIONS(F)                                                                      \
    F(atspi_init) F(atspi_set_timeout) F(atspi_get_desktop) F(atspi_accessible_get_child_count)    \
    F(atspi_accessible_get_child_at_index) F(atspi_accessible_get_name)                            \
    F(atspi_accessible_get_role_name) F(atspi_accessible_get_process_id)                           \
    F(atspi_accessible_get_text_iface) F(atspi_text_get_text)                                      \
    F(atspi_accessible_get_editable_text_iface) F(atspi_editable_text_set_text_contents)           \
    F(atspi_accessible_get_action_iface) F(atspi_action_do_action)                                 \
    F(atspi_accessible_get_component_iface) F(atspi_component_get_extents)                         \
    F(atspi_accessible_get_state_set) F(atspi_state_set_contains)                                  \
    F(g_object_unref) F(g_free) F(g_error_free)

#define ML_ATSPI_MEMBER(name) decltype(&::name) name = nullptr;
struct AtspiLibrary {
    ML_ATSPI_FUNCTIONS(ML_ATSPI_MEMBER)
};
#undef ML_ATSPI_MEMBER

// The library, opened once; null when it is missing or lacks an entry point.
const AtspiLibrary* OpenAtspi();

}  // namespace ml
