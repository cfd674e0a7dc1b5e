#include "app/app.h"

App gApp;
