#pragma once

// Between the staging buffer and the queue of blocks: lets resetOutput lift an abort.
void liftAbort();
