#include "ResaveCommand.h"

#include "CircuitDocument.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "ModelFile.h"

namespace zaro::cli {

int ResaveCommand(const TArgs& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) {
        err << "resave: usage: zarosim-cli resave IN.zsm OUT.zsm\n";
        return 1;
    }
    try {
        TConsolePlatform platform(err);
        TConsoleProgressView progressView;
        TCircuitDocument document(platform, progressView);
        LoadModel(document, args[0]);
        SaveModel(document, args[1]);
        return 0;
    } catch (const std::exception& e) {
        err << "resave: " << e.what() << '\n';
        return 1;
    }
}

} // namespace zaro::cli
