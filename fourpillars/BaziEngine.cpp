// CBaZimp behind the chart-engine interface, for the registry.
#include "fourpillars/BaziJson.h"
#include "fourpillars/Bazimp.h"

namespace varrow {
namespace {

class BaziEngine : public ChartEngine {
public:
    explicit BaziEngine(const EngineSetup& setup) : engine_(*setup.report) {
        engine_.SetProgramDir(setup.programDir);
    }

    bool Chart(const ChartRequest& request) override {
        engine_.SetTrueSolarTime(request.useTrueSolarTime);
        return engine_.MakeChart(request);
    }
    const std::string& ErrorText() const override { return engine_.ErrorText(); }
    nlohmann::ordered_json Model() const override { return bazi::baziJson(engine_.Chart()); }
    std::string ReportText() const override { return engine_.Report(); }

private:
    CBaZimp engine_;
};

} // namespace

std::unique_ptr<ChartEngine> makeEngineBazi(const EngineSetup& setup) {
    return std::make_unique<BaziEngine>(setup);
}

} // namespace varrow
