#pragma once

// The buttons a message box offers.
enum MessageBoxKind { kMessageOk, kMessageYesNo };
