#include "state/app.h"

App gApp;
