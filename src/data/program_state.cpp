#include "program_state.h"

namespace data {

ProgramState &program()
{
    static ProgramState state;
    return state;
}

} // namespace data
