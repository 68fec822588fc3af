#include "moves/condition.h"

#include <cstdio>
#include <vector>

#include "datafile/textLine.h"
#include "fighter/fighter.h"
#include "platform/traceLog.h"

bool Condition::getResult(const std::string& text, Fighter* who, Target* opponent) {
    fighter = who;
    target = opponent;
    for (std::string& w : words)
        w.clear();
    std::vector<std::string> found = textline::words(text, 3);
    for (size_t i = 0; i < found.size(); ++i) {
        words[i] = found[i];
        tracef("BIT[%d]: %s\n", static_cast<int>(i), words[i].c_str());
    }
    if (words[0] == "ground")
        return ground();
    return false;
}

bool Condition::ground() const {
    if (!fighter)
        return false;
    return words[2] == "true" ? fighter->onGround : !fighter->onGround;
}
