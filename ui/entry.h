#pragma once

// The program's own main, defined by each executable built on the toolkit and
// called by the backend's process entry. Its result is the exit code.
int ApplicationMain();
