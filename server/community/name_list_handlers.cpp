// The friend and blocked lists: "QFQ"/"QXQ" ask for a list ("QF"/"QX" + the stored hex-unit
// text), "QFS"/"QXS" store one (no reply). Temporary accounts keep no lists: they get empty
// ones and their stores are dropped.
#include "protocol/frame_fields.h"
#include "server/community/community_service.h"

namespace veld::server {

namespace {

void onNameList(CommunityService& service, CommunitySession& session, std::string_view frame,
                NameList which) {
    const Account& account = *session.account();
    const bool temporary = isTemporaryClass(account.accountClass);
    const std::string code(frame.substr(2, 2));
    switch (frameField(frame, 5, 1)[0]) {
        case 'Q':
            session.send(
                code + (temporary ? std::string() : service.storage().nameList(account.id, which)));
            break;
        case 'S': {
            if (temporary) return;
            std::string_view units = frameRest(frame, 6);
            // Whole code units only: a last odd byte carries nothing.
            units = units.substr(0, units.size() & ~std::size_t{1});
            service.storage().setNameList(account.id, which, units);
            break;
        }
        default:
            break;
    }
}

}  // namespace

void addNameListHandlers(CommunityService& service) {
    auto& table = service.table();
    table.add("QF", Binding::Bound, 5, [&service](CommunitySession& s, std::string_view f) {
        onNameList(service, s, f, NameList::Friends);
    });
    table.add("QX", Binding::Bound, 5, [&service](CommunitySession& s, std::string_view f) {
        onNameList(service, s, f, NameList::Blocked);
    });
}

}  // namespace veld::server
