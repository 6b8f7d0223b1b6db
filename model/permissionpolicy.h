// An optional file of the system, /etc/quelbrin/policy.ini, with which a deployment locks the
// permission: the password of the permission dialog and the highest permission allowed. It wins
// over the user's config.ini; it binds this program, not a user who can run another one.
#pragma once

#include <QString>

class PermissionPolicy {
public:
    // Where the policy is read from; tests point it elsewhere. Deliberately no environment
    // variable: any user could aim one at a file of their own.
    static QString path;

    // Reads the policy at path. A file that is missing gives a policy that does not apply; one
    // that is not owned by root or that others may write is ignored with a warning.
    static PermissionPolicy load();

    bool applies = false;
    // "sha256:" and the lower-case hex digest; empty when the policy leaves the password to
    // config.ini.
    QString password;
    // The highest permission allowed as a PermissionEnum value (ADMINISTRATOR 0 is the highest);
    // a stored or chosen value below it is raised to it.
    int highest = 0;
    // Why the file was ignored, or what in it was not understood; empty when all is well.
    QString warning;

    // The permission value this policy allows for a wanted one.
    int allowed(int wanted) const { return applies && wanted < highest ? highest : wanted; }
};
