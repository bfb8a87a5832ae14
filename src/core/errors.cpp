#include "core/errors.h"

namespace ml {

void FailAt(int entry, std::string message, std::string detail) {
    throw FatalError{entry, std::move(message), std::move(detail)};
}

void Fail(Interp& in, std::string message, std::string detail) {
    FailAt(in.exec.pc, std::move(message), std::move(detail));
}

void Fail(Interp& in, std::string message) { Fail(in, std::move(message), in.program.text(in.exec.pc)); }

}  // namespace ml
