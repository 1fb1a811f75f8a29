#pragma once
// The cuts of a profile of a drawing:
//
//   sshost profile-cuts --drawing FILE --profile NAME [--png FILE]
//       the profile cuts dialog on the profile of that name (its mark): cuts are previewed and
//       deleted as the person goes, another profile may be picked (on the terminal); on OK the
//       drawing is written back (atomically), on Cancel the file stays as it was. --png saves the
//       dialog's picture and writes nothing.

namespace CLI {
class App;
}

namespace sshost {
struct Shell;
void addProfileCutsCommand(CLI::App& app, Shell& shell);
} // namespace sshost
