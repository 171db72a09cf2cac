// StatService: what the statistics panel needs of the service: the user object and the servers of its pages.
#pragma once

#include "online/core/online_servers.h"

class IUserInfo;

struct StatService {
    IUserInfo& user;
    OnlineServers servers;
};
