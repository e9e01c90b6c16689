// The start procedure: the whole program runs inside RunProgram until the main form is
// unloaded.
#include "frontend/GameForm.h"
#include "platform/Display.h"

int main() {
    int status = gorb::RunProgram();
    gorb::ShutdownDisplay();
    return status;
}
