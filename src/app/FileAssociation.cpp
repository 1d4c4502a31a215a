#include "FileAssociation.h"

namespace zaro {

std::vector<TAssociationRow> FileAssociationRows(const std::string& exeName) {
    const std::string type = ModelFileTypeKey;
    return {{ModelFileExtensionKey, type.substr(1)},
            {std::string(ModelFileExtensionKey) + "\\DefaultIcon", exeName + ",0"},
            {type, ModelFileTypeComment},
            {type + "\\DefaultIcon", exeName + ",0"},
            {type + "\\shell\\open\\command", exeName + " \"%1\""}};
}

std::vector<std::string> FileAssociationKeys() {
    return {ModelFileExtensionKey, ModelFileTypeKey};
}

} // namespace zaro
