#pragma once

#include <QString>

#include <vector>

// The progress the splash plays while the program starts: four runs of values, each falling back a little from
// where the one before ended, and the stage text that goes with each run.
namespace SplashSequence {

constexpr int Minimum = 0;
constexpr int Maximum = 2250;

enum class Stage
{
    Initializing,  // "Initializing . . ."
    LoadingData,   // "Loading data . . ."
    LoadFunctions, // "Load functions . . ."
    Finishing      // the stage label is hidden
};

struct Step
{
    int value;
    Stage stage;
};

// Every value in order, 2863 in all.
std::vector<Step> steps();

QString stageText(Stage stage);

} // namespace SplashSequence
