#include "ai/computerInput.h"

#include "ai/AI.h"

inputFrame computerInput::frame() {
    if (!mind || !body)
        return inputFrame{};
    return mind->choose(body->delta);
}
