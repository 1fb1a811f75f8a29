#pragma once
// The main job of the host shell, the standards evaluation:
//
//   sshost evaluate SHEET [--in NAME=VALUE]... [--genvar NAME=VALUE]... [--json] [--repeat N] [--timers]
//       the sheet on its own (as a caller's child): its Inputs by name, its Outputs printed
//   sshost standards --drawing FILE --macro NAME --sheet NAME [--key KEY] [--genvar NAME=VALUE]... [--save]
//       the sheet for a macro of a drawing: values read from the macro, outputs written into it
//   sshost standards --drawing FILE --all [--jobs N] [--save]
//       every standard every macro of the drawing names, on worker processes (drawing_standards.h)
//   sshost test-standard FILE
//       the regression cases of a standard (docs/regression-cases.md)
//
// Message boxes are printed on the terminal (caption and text) and take their default answer.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addEvaluateCommand(CLI::App& app, Shell& shell);
void addStandardsCommand(CLI::App& app, Shell& shell);
void addTestStandardCommand(CLI::App& app, Shell& shell);
} // namespace sshost
