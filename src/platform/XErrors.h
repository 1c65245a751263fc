// What the program does with errors the X server reports on its connection.
#pragma once

namespace zv::platform {

// Once SDL has opened its X connection: lets pass the one error that is harmless, BadWindow for a
// SendEvent (SDL wakes its own event wait by sending a message to one of our windows, and the window
// can be gone by the time the server gets it, as a message box is just after it closed). Every other
// error goes on to the handler that was there before (SDL's, then Xlib's, which reports it and ends
// the program). Does nothing when SDL does not run on X11; calling it again changes nothing.
void PassLateWakeUps();

} // namespace zv::platform
