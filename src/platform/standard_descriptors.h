#pragma once

// Descriptors 0 to 2 that the program was started without (`zephal3d <&-`, `>&-`, `2>&-`) are
// held by /dev/null, opened the other way round, so that a read or write on them still fails as on
// a closed descriptor. No socket or file opened later can take their place: the keeper's socket
// would be overwritten by its own stdin and stdout, the display's connection would get what is
// meant for stderr. First thing at start, before anything opens a descriptor.
void holdStandardDescriptors();
