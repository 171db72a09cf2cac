// The file association of the running program for the current user, and how its failure is told.
#pragma once

#include "config/core/file_association.h"

#include <QString>

// The running executable, the user's XDG folders and the shipped desktop files and icons.
AssociationRequest UserAssociationRequest();
// A short message that names every step that failed.
QString AssociationFailureText(const AssociationResult& result);
// What tells the user that a desktop's own list still names another default.
QString AssociationOverriddenText(const AssociationResult& result);
