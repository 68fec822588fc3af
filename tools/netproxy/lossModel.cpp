#include "tools/netproxy/lossModel.h"

LossModel::LossModel(const Impairment& impairment, uint64_t seed)
    : impairment_(impairment), random_(seed) {}

bool LossModel::inOutage(long ms) const {
    for (const Outage& o : impairment_.outages)
        if (ms >= o.startMs && ms - o.startMs < o.lengthMs)
            return true;
    return false;
}

Fate LossModel::decide(long arrivalMs) {
    const Impairment& im = impairment_;
    // All six draws first, in a fixed order.
    double lossRoll = random_.percent();
    double duplicateRoll = random_.percent();
    double reorderRoll = random_.percent();
    long holdBack = random_.range(1, im.delayMs / 2 + 5);
    long jitter[2] = {random_.range(0, im.jitterMs), random_.range(0, im.jitterMs)};

    Fate fate;
    if (inOutage(arrivalMs)) {
        fate.drop = Fate::outage;
        return fate;
    }
    if (lossRoll < im.lossPct) {
        fate.drop = Fate::loss;
        return fate;
    }
    fate.duplicated = duplicateRoll < im.duplicatePct;
    fate.reordered = reorderRoll < im.reorderPct;
    for (int copy = 0; copy < 2; ++copy)
        fate.afterMs[copy] = im.delayMs + jitter[copy] + (fate.reordered ? holdBack : 0);
    return fate;
}
