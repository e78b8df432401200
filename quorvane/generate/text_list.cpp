#include "quorvane/generate/text_list.h"

#include "quorvane/generate/list_body_builder.h"

namespace quor::generate {

ListBody buildTextListBody(store::ListContext& context) {
    return ListBodyBuilder(context, ListKind::Text).build();
}

}  // namespace quor::generate
