// JSON:API records from any text, and their map and text forms.

#include "fuzzcommon.h"

#include "tjsonapierror.h"
#include "tjsonapiresponse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const TJsonApiResponse response(fuzzText(iData, iSize));
    response.data();
    response.id();
    response.links();
    response.meta();
    response.hasError();
    response.firstError();
    const TJsonApiResponse fromMap(response.toVariantMap());
    FUZZ_CHECK(fromMap.toVariantMap() == response.toVariantMap());
    const TJsonApiResponse fromText(response.toJsonString());
    fromText.errors();
    return 0;
}
