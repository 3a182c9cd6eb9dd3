#include "SplashSequence.h"

using namespace Qt::StringLiterals;

namespace {
struct Run
{
    int from;
    int to;
    SplashSequence::Stage stage;
};
constexpr Run Runs[] = {
    {1, 1210, SplashSequence::Stage::Initializing},
    {750, 1750, SplashSequence::Stage::LoadingData},
    {1650, 2100, SplashSequence::Stage::LoadFunctions},
    {2050, 2250, SplashSequence::Stage::Finishing},
};
} // namespace

std::vector<SplashSequence::Step> SplashSequence::steps()
{
    std::vector<Step> all;
    for (const Run& run : Runs)
        for (int v = run.from; v <= run.to; ++v)
            all.push_back({v, run.stage});
    return all;
}

QString SplashSequence::stageText(Stage stage)
{
    switch (stage) {
    case Stage::Initializing:
        return u"Initializing . . ."_s;
    case Stage::LoadingData:
        return u"Loading data . . ."_s;
    case Stage::LoadFunctions:
        return u"Load functions . . ."_s;
    case Stage::Finishing:
        break;
    }
    return {};
}
