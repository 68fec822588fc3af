#include "shell/startupChecks.h"

#include <cstdlib>

#include "fighter/characterCheck.h"
#include "sprite/problemReport.h"

void checkCharacter(const animationSet& anims, const moveSet& moves) {
    std::string why;
    if (!characterUsable(anims, moves, &why)) {
        reportProblem(why);
        exit(1);
    }
    for (const std::string& line : characterWarnings(anims, moves))
        reportProblem("warning: " + line);
}
