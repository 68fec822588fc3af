#include "platform/debugOverlay.h"

bool debugging = false;
