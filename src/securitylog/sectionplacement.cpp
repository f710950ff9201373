#include "sectionplacement.h"

#include "navigationcontroller.h"
#include "securitylogdetailview.h"

namespace SectionPlacement {

NavigationController *presentingStack(ViewController *presented) {
    ViewController *presenting = presented ? presented->presentingViewController() : nullptr;
    auto *stack = qobject_cast<NavigationController *>(presenting);
    if (!stack && presenting)
        stack = presenting->navigationController();
    return stack;
}

securityLogDetailView *logFormBelow(ViewController *presented) {
    NavigationController *stack = presentingStack(presented);
    return stack ? stack->viewControllerAt<securityLogDetailView>(1) : nullptr;
}

bool placePartyEntry(securityLogDetailView &form, const QString &section, SectionEntry entry,
                     int insertIndex, bool outsideDCReturn) {
    const bool in = section == QLatin1String("IN");
    if (!in && section != QLatin1String("OUT"))
        return false;
    QList<SectionEntry> &target = in ? form.PartyINSectionCollView : form.PartyOUTSectionCollView;
    const QList<SectionEntry> &other =
        in ? form.PartyOUTSectionCollView : form.PartyINSectionCollView;
    if (insertIndex >= 0 && insertIndex < target.size()) {
        const SectionEntry &old = target.at(insertIndex);
        entry.savedDetailId = old.savedDetailId;
        if (in && outsideDCReturn) {
            entry.DC_id = old.DC_id;
            entry.IsOutSideDCReturn = old.IsOutSideDCReturn;
        }
        target[insertIndex] = std::move(entry);
        return true;
    }
    target.append(std::move(entry));
    if (other.isEmpty())
        form.celllabelSegmentCell->setSelectedSegmentIndex(in ? 0 : 1);
    return true;
}

} // namespace SectionPlacement
