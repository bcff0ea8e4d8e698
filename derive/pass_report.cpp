#include "derive/pass_report.h"

#include "derive/solved_design.h"
#include "geometry/recompute.h"

namespace bowlyn {

PassReport reportPass(const PassResult& pass, const Design& design) {
    PassReport report;
    report.problem = pass.problem;
    report.derived = pass.derived;
    if (const std::optional<SolvedDesign> solved = solvedDesign(pass, design)) {
        report.measured = measureDesign(*solved, std::nullopt);
        report.depth = solved->depth;
    }
    return report;
}

}  // namespace bowlyn
